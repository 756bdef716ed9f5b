// OWL::TGdiObject: the owned-or-borrowed GDI handle under pens, brushes, fonts, bitmaps and
// regions.
#pragma once

#include <windows.h>

#include <cstdint>

namespace OWL {

enum class TAutoDelete { NoAutoDelete, AutoDelete };

// Deletes its handle at destruction when it owns it. Not copyable; movable through Detach.
class TGdiObject {
 public:
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  virtual ~TGdiObject();

  HGDIOBJ GetGdiHandle() const noexcept { return mHandle; }
  bool IsOK() const noexcept { return mHandle != nullptr; }
  // Gives the handle up: the caller deletes it.
  HGDIOBJ Detach() noexcept;

 protected:
  TGdiObject() noexcept = default;
  TGdiObject(HGDIOBJ handle, TAutoDelete autoDelete) noexcept;
  // Takes a newly created handle (owned); throws XQOR with the last error when it is null.
  void TakeCreated(HGDIOBJ handle, const wchar_t* what);

  HGDIOBJ mHandle = nullptr;
  bool mOwned = false;
};

}  // namespace OWL
