// OWL::TGadgetWindow: a strip of gadgets tiled in one direction, laid out from their desired
// sizes, painted by the gadgets themselves, with tooltips and command enabling of its
// gadgets when the application is idle.
#pragma once

#include "platform/owl/TFont.h"
#include "platform/owl/TMargins.h"
#include "platform/owl/TWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace OWL {

class TGadget;

// A new gadget-window font (the system's message font, else the default GUI font); owned by the
// caller.
TFont* NewGadgetWindowFont();

class TGadgetWindow : public TWindow {
 public:
  enum TTileDirection { Horizontal, Vertical };
  enum TPlacement { Before, After };
  // Flat style bits: buttons show a border only while hot or down.
  enum TFlatStyle : UINT { NonFlatNormal = 0, FlatStandard = 1 };

  // font: owned; null gives the gadget-window font (the system's message font).
  TGadgetWindow(TWindow* parent = nullptr, TTileDirection direction = Horizontal,
                TFont* font = nullptr, TModule* module = nullptr);
  // Deletes the gadgets.
  ~TGadgetWindow() override;

  // Takes ownership; sibling null places at the end (After) or the start (Before).
  void Insert(TGadget& gadget, TPlacement placement = After, TGadget* sibling = nullptr);
  // Gives ownership back to the caller; null when gadget is not here.
  TGadget* Remove(TGadget& gadget);
  const std::vector<TGadget*>& Gadgets() const noexcept { return mGadgets; }
  // The visible gadget at point (client coordinates), or null.
  TGadget* GadgetFromPoint(const TPoint& point) const noexcept;
  TGadget* GadgetWithId(int id) const noexcept;
  // The gadget the cursor was last seen over, or null.
  TGadget* GetGadgetAtMouse() const noexcept { return mAtMouse; }

  void SetShrinkWrap(bool width, bool height);
  void SetMargins(const TMargins& margins);
  const TMargins& GetMargins() const noexcept { return mMargins; }
  UINT GetFlatStyle() const noexcept { return mFlatStyle; }
  TFont& GetFont() const noexcept { return *mFont; }
  // Character height and average width of the font.
  TSize GetFontCharSize() const noexcept;

  // Room the gadgets want with the margins and the window's border.
  virtual void GetDesiredSize(TSize& size);
  // Lays the gadgets out again, resizes a shrink-wrapped window and repaints.
  virtual void LayoutSession();
  // Bounds of each visible gadget for the window's current client area.
  void LayoutGadgets();
  void GadgetChangedSize(TGadget& gadget);

  // The capture goes to one gadget (a pressed button) until released.
  bool GadgetSetCapture(TGadget& gadget);
  void GadgetReleaseCapture(TGadget& gadget);
  TGadget* GetCapturedGadget() const noexcept { return mCapture; }

  // A tooltip control with one tool per gadget; created with the window when enabled first.
  void EnableTooltip(bool enable = true);
  HWND GetTooltip() const noexcept { return mTooltip; }
  // Tooltip text of a gadget: the module's string of its id.
  virtual std::wstring GetHintText(int id);

  // Asks every gadget for its command state; true while gadgets remain to be asked.
  virtual bool IdleAction(long idleCount);

  void SetupWindow() override;
  void CleanupWindow() override;
  void Paint(TDC& dc, bool erase, TRect& rect) override;
  void GetWindowClass(WNDCLASSEXW& windowClass) override;
  // Commands and enabling questions the window does not answer go to its parent.
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  void EvCommandEnable(TCommandEnabler& enabler) override;
  // Answers the tooltip control's text questions.
  LRESULT EvNotify(UINT id, NMHDR& header) override;
  const wchar_t* GetClassName() override;

  void EvSize(UINT sizeType, const TSize& size);
  void EvMouseMove(UINT modKeys, const TPoint& point);
  void EvMouseLeave();
  void EvLButtonDown(UINT modKeys, const TPoint& point);
  void EvLButtonUp(UINT modKeys, const TPoint& point);
  void EvLButtonDblClk(UINT modKeys, const TPoint& point);
  void EvRButtonDown(UINT modKeys, const TPoint& point);
  void EvRButtonUp(UINT modKeys, const TPoint& point);
  void EvSysColorChange();

 private:
  static TPoint Relative(const TGadget& gadget, const TPoint& point) noexcept;
  void AddTool(TGadget& gadget);
  void UpdateTools();
  void MoveAtMouse(TGadget* gadget, UINT modKeys, const TPoint& point);

  std::vector<TGadget*> mGadgets;
  std::unique_ptr<TFont> mFont;
  TTileDirection mDirection;
  TMargins mMargins{2, 2, 2, 2};
  UINT mFlatStyle = NonFlatNormal;
  bool mShrinkWrapWidth = false;
  bool mShrinkWrapHeight = true;
  bool mWantTooltip = false;
  HWND mTooltip = nullptr;
  TGadget* mAtMouse = nullptr;
  TGadget* mCapture = nullptr;
  std::wstring mHint;  // text handed to the tooltip control until its next question

  DECLARE_RESPONSE_TABLE(TGadgetWindow);
};

}  // namespace OWL
