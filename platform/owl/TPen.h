// OWL::TPen: a GDI pen, created or borrowed.
#pragma once

#include "platform/owl/TColor.h"
#include "platform/owl/TGdiObject.h"

namespace OWL {

class TPen : public TGdiObject {
 public:
  TPen(const TColor& color, int width = 1, int style = PS_SOLID);
  // Borrows (or, with AutoDelete, owns) an existing pen; stock pens are never deleted by GDI.
  explicit TPen(HPEN handle, TAutoDelete autoDelete = TAutoDelete::NoAutoDelete) noexcept
      : TGdiObject(handle, autoDelete) {}

  HPEN GetHandle() const noexcept { return static_cast<HPEN>(mHandle); }
  operator HPEN() const noexcept { return GetHandle(); }
};

}  // namespace OWL
