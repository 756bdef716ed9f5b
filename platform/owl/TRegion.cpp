// OWL::TRegion: region creation and combination.
#include "platform/owl/TRegion.h"

namespace OWL {

TRegion::TRegion() { TakeCreated(CreateRectRgn(0, 0, 0, 0), L"CreateRectRgn"); }

TRegion& TRegion::operator=(const TRegion& other) noexcept {
  if (this != &other) CombineRgn(GetHandle(), other.GetHandle(), nullptr, RGN_COPY);
  return *this;
}

}  // namespace OWL
