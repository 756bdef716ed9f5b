// OWL::TTabControl: a tab strip; selection changes reach the parent as WM_NOTIFY
// TCN_SELCHANGE (EV_NOTIFY).
#pragma once

#include "platform/owl/TControl.h"

namespace OWL {

class TTabControl : public TControl {
 public:
  TTabControl(TWindow* parent, int id, int x, int y, int w, int h, TModule* module = nullptr);
  TTabControl(TWindow* parent, int resourceId, TModule* module = nullptr);

  // Answers the new tab's index, -1 on failure.
  int Add(const wchar_t* text) noexcept { return Insert(text, GetCount()); }
  int Insert(const wchar_t* text, int index) noexcept;
  int GetCount() const noexcept;
  int GetSel() const noexcept;
  // Answers the previous selection; sends no notification.
  int SetSel(int index) noexcept;
  // Relabels a tab; when the strip narrows, the row beyond its new end is repainted, so that
  // nothing of the wider strip stays on the screen.
  void SetText(int index, const wchar_t* text) noexcept;
  // With toWindow, the window rectangle for display rectangle rect; else the display area
  // inside window rectangle rect.
  void AdjustRect(bool toWindow, TRect& rect) const noexcept;

  const wchar_t* GetClassName() override { return L"SysTabControl32"; }

 protected:
  void EvLButtonDown(UINT modKeys, const TPoint& point);

 private:
  void ReleaseUnselectedTabs() noexcept;
  int StripRight() const noexcept;

  DECLARE_RESPONSE_TABLE(TTabControl);
};

}  // namespace OWL
