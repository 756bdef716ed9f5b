// The GDI+ headers with what they need from the COM headers (the build leaves those out).
#pragma once

#include <windows.h>
#include <objbase.h>
#include <propidl.h>

#include <algorithm>

// The GDI+ headers use min and max unqualified.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#include <gdiplus.h>

#include <memory>

// Owners of the flat API's objects.
struct GdipGraphicsDeleter {
  void operator()(Gdiplus::GpGraphics* g) const noexcept { Gdiplus::DllExports::GdipDeleteGraphics(g); }
};
struct GdipImageDeleter {
  void operator()(Gdiplus::GpImage* i) const noexcept { Gdiplus::DllExports::GdipDisposeImage(i); }
};
struct GdipBrushDeleter {
  void operator()(Gdiplus::GpBrush* b) const noexcept { Gdiplus::DllExports::GdipDeleteBrush(b); }
};
struct GdipImageAttributesDeleter {
  void operator()(Gdiplus::GpImageAttributes* a) const noexcept { Gdiplus::DllExports::GdipDisposeImageAttributes(a); }
};
using GdipGraphicsPtr = std::unique_ptr<Gdiplus::GpGraphics, GdipGraphicsDeleter>;
using GdipBrushPtr = std::unique_ptr<Gdiplus::GpBrush, GdipBrushDeleter>;
using GdipImageAttributesPtr = std::unique_ptr<Gdiplus::GpImageAttributes, GdipImageAttributesDeleter>;

// A GDI+ surface over dc (null when GDI+ is not started).
inline GdipGraphicsPtr GdipGraphicsFromDC(HDC dc) noexcept {
  Gdiplus::GpGraphics* g = nullptr;
  if (Gdiplus::DllExports::GdipCreateFromHDC(dc, &g) != Gdiplus::Ok) return nullptr;
  return GdipGraphicsPtr(g);
}
