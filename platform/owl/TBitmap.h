// OWL::TBitmap: a GDI bitmap from a resource, compatible with a DC, a 32-bit DIB section, or
// borrowed.
#pragma once

#include "platform/owl/TGdiObject.h"
#include "platform/owl/TSize.h"

#include <cstdint>

namespace OWL {

class TDC;

class TBitmap : public TGdiObject {
 public:
  // The bitmap resource id of instance; throws XQOR when it is missing.
  TBitmap(HINSTANCE instance, int resourceId);
  // A bitmap compatible with dc (the screen when dc has no bitmap of its own selected).
  TBitmap(const TDC& dc, int width, int height);
  TBitmap(int width, int height, int planes, int bitsPerPixel, const void* bits);
  explicit TBitmap(HBITMAP handle, TAutoDelete autoDelete = TAutoDelete::NoAutoDelete) noexcept
      : TGdiObject(handle, autoDelete) {}
  // A top-down 32-bit DIB section; *bits receives its pixels (0x00RRGGBB, row after row).
  static TBitmap* CreateDIB32(int width, int height, uint32_t** bits);

  HBITMAP GetHandle() const noexcept { return static_cast<HBITMAP>(mHandle); }
  operator HBITMAP() const noexcept { return GetHandle(); }
  int Width() const noexcept;
  int Height() const noexcept;
  TSize Size() const noexcept { return {Width(), Height()}; }

 protected:
  TBitmap() noexcept = default;
};

}  // namespace OWL
