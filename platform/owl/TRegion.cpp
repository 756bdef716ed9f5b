// OWL::TRegion: region creation and combination.
#include "platform/owl/TRegion.h"

namespace OWL {

TRegion::TRegion() { TakeCreated(CreateRectRgn(0, 0, 0, 0), L"CreateRectRgn"); }

TRegion::TRegion(const TRect& r) {
  TakeCreated(CreateRectRgn(r.left, r.top, r.right, r.bottom), L"CreateRectRgn");
}

TRegion& TRegion::operator=(const TRegion& other) noexcept {
  if (this != &other) CombineRgn(GetHandle(), other.GetHandle(), nullptr, RGN_COPY);
  return *this;
}

TRect TRegion::GetRgnBox() const noexcept {
  TRect box;
  ::GetRgnBox(GetHandle(), &box);
  return box;
}

TRegion& TRegion::operator|=(const TRegion& o) noexcept {
  CombineRgn(GetHandle(), GetHandle(), o.GetHandle(), RGN_OR);
  return *this;
}

TRegion& TRegion::operator&=(const TRegion& o) noexcept {
  CombineRgn(GetHandle(), GetHandle(), o.GetHandle(), RGN_AND);
  return *this;
}

TRegion& TRegion::operator-=(const TRegion& o) noexcept {
  CombineRgn(GetHandle(), GetHandle(), o.GetHandle(), RGN_DIFF);
  return *this;
}

bool TRegion::GetUpdateRgn(HWND window, bool erase) noexcept {
  return ::GetUpdateRgn(window, GetHandle(), erase) != ERROR;
}

}  // namespace OWL
