// OWL::TRegion: a GDI region, rectangular, copied from a window's update region, or borrowed.
#pragma once

#include "platform/owl/TGdiObject.h"
#include "platform/owl/TRect.h"

namespace OWL {

class TRegion : public TGdiObject {
 public:
  // An empty region.
  TRegion();
  explicit TRegion(HRGN handle, TAutoDelete autoDelete = TAutoDelete::NoAutoDelete) noexcept
      : TGdiObject(handle, autoDelete) {}

  HRGN GetHandle() const noexcept { return static_cast<HRGN>(mHandle); }
  operator HRGN() const noexcept { return GetHandle(); }
  // Makes this region a copy of other (both keep their own handles).
  TRegion& operator=(const TRegion& other) noexcept;
  void SetRect(const TRect& rect) noexcept { SetRectRgn(GetHandle(), rect.left, rect.top, rect.right, rect.bottom); }
  bool Contains(const TPoint& p) const noexcept { return PtInRegion(GetHandle(), p.x, p.y) != 0; }
  bool Touches(const TRect& r) const noexcept { return RectInRegion(GetHandle(), &r) != 0; }
};

}  // namespace OWL
