// PopupMenu: a small owner-drawn button that drops a menu, keeps one item checked as the
// current choice and reports each choice to its owner window.
#pragma once

#include "platform/owl/ResponseTable.h"
#include "platform/owl/TButton.h"
#include "platform/owl/TMenu.h"
#include "views/ExclusivePopupMenu.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace OWL {
class TStatic;
}

// A menu whose handle the button owns and destroys with itself.
class MenuHolder : public OWL::TMenu {};

class PopupMenu : public OWL::TButton, public MenuHolder, public ExclusivePopupMenu {
 public:
  // Style flags.
  static constexpr uint32_t kCheckChoice = 1;    // a chosen item becomes the checked one
  static constexpr uint32_t kFace = 2;           // the face shows the checked item and an arrow
  static constexpr uint32_t kRestoreFocus = 4;   // focus returns where it was after the menu
  static constexpr uint32_t kFlat = 8;           // flat arrow with a black outline
  static constexpr uint32_t kItemTexts = 16;     // with kCheckChoice: item texts are drawn
  // The control id of the button and the notification code of a choice (high word).
  static constexpr int kButtonId = 1000;
  static constexpr UINT kChoiceNotification = 0xF000;

  explicit PopupMenu(OWL::TWindow* parent);
  ~PopupMenu() override;

  OWL::TPopupMenu& Popup() noexcept { return static_cast<ExclusivePopupMenu&>(*this); }
  HWND ButtonHandle() const noexcept { return OWL::TWindow::GetHandle(); }
  void SetStyle(uint32_t style) noexcept { mStyle = style; }
  uint32_t Style() const noexcept { return mStyle; }
  // The label that shows the choice (not owned); set before the window is set up.
  void SetLabel(OWL::TStatic* label) noexcept { mLabel = label; }
  void SetAlignLeft(bool left) noexcept { mAlignLeft = left; }

  // The item's menu text without its "&" marks (at most 255 characters).
  std::wstring ItemText(UINT id);

  bool Check(int id) override;
  void OnItemChosen(int id) override;

  virtual void DrawButtonFace(HDC dc, const RECT& rect, UINT itemId, ULONG_PTR itemData,
                              UINT itemState, bool pushed);
  virtual void EvDrawItem(UINT ctrlId, const DRAWITEMSTRUCT& drawItem);
  virtual void DrawMenuItem(HDC dc, const RECT& rect, UINT itemId, ULONG_PTR itemData,
                            UINT itemAction, UINT itemState);
  virtual void DrawItemContent(HDC dc, const RECT& rect, UINT itemId, ULONG_PTR itemData,
                               UINT itemAction, UINT itemState, bool onFace);
  virtual SIZE MeasureMenuItem(UINT itemId, ULONG_PTR itemData);
  virtual bool CanDropMenu() { return true; }
  virtual void OnCannotDropMenu() {}
  virtual bool IsInverted() { return false; }
  virtual void PrepareFace(const MENUITEMINFOW&) {}

 protected:
  void SetupWindow() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  // The face, when the parent passes on WM_DRAWITEM.
  void DrawItem(const DRAWITEMSTRUCT& item) override { EvDrawItem(item.CtlID, item); }

  void EvLButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvKeyDown(UINT key, UINT repeatCount, UINT flags);
  void EvMeasureItem(UINT controlId, MEASUREITEMSTRUCT& item);
  LRESULT EvInitMenuPopup(WPARAM wParam, LPARAM lParam);
  void DropMenu(HWND previousFocus);

 private:
  void DrawLabelArrow(HDC dc, const DRAWITEMSTRUCT& drawItem);
  void DrawFlatArrow(HDC dc, const RECT& arrow);

  uint32_t mStyle = 0;
  OWL::TMenu mSecondMenu;
  OWL::TStatic* mLabel = nullptr;
  OWL::TWindow* mOwner;
  bool mJustClosed = false;
  bool mAlignLeft = false;

  DECLARE_RESPONSE_TABLE(PopupMenu);
};
