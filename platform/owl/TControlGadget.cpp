// OWL::TControlGadget: a child window placed by the gadget window's layout.
#include "platform/owl/TControlGadget.h"

#include "platform/owl/TGadgetWindow.h"

#include <algorithm>

namespace OWL {

TControlGadget::TControlGadget(TWindow& control, TBorderStyle borderStyle)
    : TGadget(control.Attr.Id, borderStyle), mControl(control) {}

void TControlGadget::GetDesiredSize(TSize& size) {
  TGadget::GetDesiredSize(size);
  TRect const rect = mControl.IsWindow() ? mControl.GetWindowRect() : TRect(0, 0, mControl.Attr.W, mControl.Attr.H);
  size.cx += rect.Width();
  size.cy += rect.Height();
}

void TControlGadget::SetBounds(const TRect& bounds) {
  TGadget::SetBounds(bounds);
  int const b = BorderWidth();
  TRect const inner(bounds.left + b + GetMargins().Left, bounds.top + b + GetMargins().Top,
                    bounds.right - b - GetMargins().Right, bounds.bottom - b - GetMargins().Bottom);
  mControl.Attr.X = inner.left;
  mControl.Attr.Y = inner.top;
  // A strip too low for the control makes it lower rather than let it hang out of the strip; it
  // gets its own height back when the strip has room again.
  if (mControl.IsWindow()) {
    TSize size = mControl.GetWindowRect().Size();
    if (mControl.Attr.H > 0) size.cy = mControl.Attr.H;
    size.cy = std::min<int>(size.cy, std::max(0, inner.Height()));
    mControl.MoveWindow(TRect(inner.TopLeft(), size), true);
  }
}

void TControlGadget::Paint(TDC& dc) { PaintBorder(dc); }

// Wherever the control was made, it becomes a child of the gadget window, so that it sits in
// the strip and goes with it.
void TControlGadget::Inserted() { mControl.SetParent(GetGadgetWindow()); }

// The control is made with the gadget window (or at once when the window exists).
void TControlGadget::Created() {
  if (!GetGadgetWindow() || mControl.IsWindow()) return;
  mControl.Create();
}

void TControlGadget::Removed() {
  if (mControl.IsWindow()) mControl.ShowWindow(SW_HIDE);
}

}  // namespace OWL
