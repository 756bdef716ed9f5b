// OWL::TBtnBitmap: a button glyph whose background, drawn in a face colour, follows the
// system's current button face colour. Kept as a 32-bit DIB section.
#pragma once

#include "platform/owl/TBitmap.h"
#include "platform/owl/TColor.h"
#include "platform/owl/TResId.h"

#include <cstdint>

namespace OWL {

class TBtnBitmap : public TBitmap {
 public:
  // The face colour glyph resources are drawn with: light grey (192, 192, 192).
  static const TColor DefaultFaceColor;

  // The bitmap resource id of instance; throws XQOR when it is missing.
  TBtnBitmap(HINSTANCE instance, const TResId& id, const TColor& faceColor = DefaultFaceColor);
  // A copy of source.
  explicit TBtnBitmap(HBITMAP source, const TColor& faceColor = DefaultFaceColor);

  // Pixels of the face colour get the current Sys3dFace (run again after a colour change).
  void MapFaceColor() noexcept;

 private:
  void CopyFrom(HBITMAP source);

  uint32_t* mBits = nullptr;
  uint32_t mFace;    // face colour as a DIB pixel (0x00RRGGBB)
  uint32_t mMapped;  // what the face pixels hold now
};

}  // namespace OWL
