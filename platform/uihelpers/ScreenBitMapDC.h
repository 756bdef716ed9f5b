// QOR::ScreenBitMapDC: an off-screen memory DC holding a screen-compatible bitmap of a given
// size; move its viewport and window origins to draw one region of a larger picture.
#pragma once

#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"

namespace QOR {

class ScreenBitMapDC : public OWL::TMemoryDC {
 public:
  // Throws XQOR "ScreenBitMapDC:: ctor fail" with 0x80070000 | the last error's low word when
  // the bitmap cannot be made.
  ScreenBitMapDC(int width, int height);
  ~ScreenBitMapDC() override;

  const OWL::TBitmap& GetBitmap() const noexcept { return *mBitmap; }

 private:
  OWL::TBitmap* mBitmap;
};

}  // namespace QOR
