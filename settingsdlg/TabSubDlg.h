// The settings dialog's page windows: ExtLib::PositionedSubDialog, a modeless child dialog placed
// over a rectangle; ExtLib::TabSubDlg, a tab page (a hidden frameless child with the tab's
// texture); ExtLib::TabSubSubDlg, a page nested in a tab page that paints with its parent's
// static-control brush.
#pragma once

#include "controls/DialogBase.h"

namespace ExtLib {

class PositionedSubDialog : public QOR::DialogBase {
 public:
  PositionedSubDialog(OWL::TWindow* parent, const OWL::TResId& resId);

  // Moves the window, keeping its size, so that its top-left corner is the top-left corner of
  // screenRect, then shows it.
  virtual void Reposition(const OWL::TRect& screenRect);
};

class TabSubDlg : public PositionedSubDialog {
 public:
  // The template's popup, visible, border and system-menu styles give way to WS_CHILD.
  TabSubDlg(OWL::TWindow* parent, const OWL::TResId& resId);

  // The tab page's dialog texture where the visual style allows it, then the dialog set-up.
  void SetupWindow() override;
};

class TabSubSubDlg : public PositionedSubDialog {
 public:
  TabSubSubDlg(OWL::TWindow* parent, const OWL::TResId& resId);

  // The four control-colour messages are answered with the brush the parent page gives a
  // static control named as this page.
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The style a tab page's template is given: popup, visible, border and system menu cleared
// (mask 0x2F77FFFF), WS_CHILD added.
DWORD TabPageStyle(DWORD templateStyle) noexcept;

}  // namespace ExtLib
