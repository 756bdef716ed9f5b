// OWL::TGadget: one item of a gadget window (a button, a text, a control, a spacer). The
// window lays gadgets out, paints them and routes the mouse to them; a gadget paints in its
// own coordinates (the DC's viewport origin is the gadget's top-left corner).
#pragma once

#include "platform/owl/TMargins.h"
#include "platform/owl/TRect.h"

#include <windows.h>

#include <cstdint>

namespace OWL {

class TDC;
class TGadgetWindow;

class TGadget {
 public:
  enum TBorderStyle { None, Plain, Raised, Recessed, Embossed };

  explicit TGadget(int id = 0, TBorderStyle borderStyle = None);
  TGadget(const TGadget&) = delete;
  TGadget& operator=(const TGadget&) = delete;
  // Leaves its window first.
  virtual ~TGadget();

  int GetId() const noexcept { return mId; }
  TGadgetWindow* GetGadgetWindow() const noexcept { return mWindow; }
  // Bounds in the window's client coordinates.
  const TRect& GetBounds() const noexcept { return mBounds; }
  virtual void SetBounds(const TRect& bounds);
  // Keeps the position; the window lays out again.
  void SetSize(const TSize& size);
  // The rectangle inside the borders and margins, in gadget coordinates.
  TRect GetInnerRect() const noexcept;
  // Width of each border line (0 without a border).
  int BorderWidth() const noexcept { return mBorderStyle == None ? 0 : mBorderStyle == Plain ? 1 : 2; }
  // Room kept for the border on each side, in pixels; a side never takes less than the border
  // style's line.
  using TBorders = TMargins;
  void SetBorders(const TBorders& borders);
  TBorders BorderSpace() const noexcept;
  const TMargins& GetMargins() const noexcept { return mMargins; }
  // Borders and margins; shrink-wrapped gadgets add their content.
  virtual void GetDesiredSize(TSize& size);
  void SetShrinkWrap(bool width, bool height);
  bool GetShrinkWrapWidth() const noexcept { return mShrinkWrapWidth; }
  bool GetShrinkWrapHeight() const noexcept { return mShrinkWrapHeight; }
  // Takes the width the other gadgets of a horizontal window leave.
  bool WideAsPossible = false;

  bool GetEnabled() const noexcept { return mEnabled; }
  virtual void SetEnabled(bool enabled);
  bool IsVisible() const noexcept { return mVisible; }
  void SetVisible(bool visible);
  // Flag bits kept for derived gadgets.
  uint32_t GetFlags() const noexcept { return mFlags; }
  void SetFlags(uint32_t set, uint32_t clear = 0) noexcept { mFlags = (mFlags & ~clear) | set; }

  // Point in gadget coordinates.
  virtual bool PtIn(const TPoint& point) const noexcept;
  void Invalidate(bool erase = true);
  void InvalidateRect(const TRect& rect, bool erase = true);  // gadget coordinates

  // Painting; PaintBorder draws the border style in the gadget's rectangle.
  virtual void Paint(TDC& dc);
  virtual void PaintBorder(TDC& dc);

  // Mouse input, point in gadget coordinates. The window calls MouseEnter and MouseLeave as
  // the cursor crosses the gadget, and sends the buttons to the gadget under the cursor (or
  // to the one holding the capture).
  virtual void MouseEnter(UINT modKeys, const TPoint& point);
  virtual void MouseMove(UINT modKeys, const TPoint& point);
  virtual void MouseLeave(UINT modKeys, const TPoint& point);
  virtual void LButtonDown(UINT modKeys, const TPoint& point);
  virtual void LButtonUp(UINT modKeys, const TPoint& point);
  virtual void RButtonDown(UINT modKeys, const TPoint& point);
  virtual void RButtonUp(UINT modKeys, const TPoint& point);

  // Asks the window for this gadget's command state (nothing here).
  virtual void CommandEnable();
  virtual void SysColorChange();
  // Once the window exists (at its set-up or at insertion into an existing window).
  virtual void Created();
  virtual void Inserted();
  virtual void Removed();

  bool IsMouseIn() const noexcept { return mMouseIn; }

 protected:
  // The window font of the gadget window, or the stock GUI font outside one.
  HFONT GetFont() const noexcept;

 private:
  friend class TGadgetWindow;

  int mId;
  TBorderStyle mBorderStyle;
  TBorders mBorders;
  TMargins mMargins;
  TRect mBounds;
  TGadgetWindow* mWindow = nullptr;
  uint32_t mFlags = 0;
  bool mEnabled = true;
  bool mVisible = true;
  bool mShrinkWrapWidth = true;
  bool mShrinkWrapHeight = true;
  bool mMouseIn = false;
};

}  // namespace OWL
