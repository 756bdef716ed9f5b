// OWL::TBrush: a GDI brush, solid, hatched, patterned or borrowed.
#pragma once

#include "platform/owl/TColor.h"
#include "platform/owl/TGdiObject.h"

namespace OWL {

class TBitmap;

class TBrush : public TGdiObject {
 public:
  explicit TBrush(const TColor& color);
  explicit TBrush(HBRUSH handle, TAutoDelete autoDelete = TAutoDelete::NoAutoDelete) noexcept
      : TGdiObject(handle, autoDelete) {}

  HBRUSH GetHandle() const noexcept { return static_cast<HBRUSH>(mHandle); }
  operator HBRUSH() const noexcept { return GetHandle(); }
};

}  // namespace OWL
