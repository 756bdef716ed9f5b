// OWL::TFont: a GDI font from a face and height, a LOGFONT, or borrowed.
#pragma once

#include "platform/owl/TGdiObject.h"

namespace OWL {

class TFont : public TGdiObject {
 public:
  // height in logical units of the DC it is used with (negative: character height, as in
  // LOGFONT); escapement and orientation in tenths of a degree.
  TFont(const wchar_t* facename, int height, int width = 0, int escapement = 0,
        int orientation = 0, int weight = FW_NORMAL, uint8_t pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE,
        bool italic = false, bool underline = false, bool strikeout = false,
        uint8_t charSet = DEFAULT_CHARSET, uint8_t outputPrecision = OUT_DEFAULT_PRECIS,
        uint8_t clipPrecision = CLIP_DEFAULT_PRECIS, uint8_t quality = DEFAULT_QUALITY);
  explicit TFont(const LOGFONTW& logFont);
  explicit TFont(HFONT handle, TAutoDelete autoDelete = TAutoDelete::NoAutoDelete) noexcept
      : TGdiObject(handle, autoDelete) {}

  HFONT GetHandle() const noexcept { return static_cast<HFONT>(mHandle); }
  operator HFONT() const noexcept { return GetHandle(); }
  LOGFONTW GetObject() const noexcept;
  // Height and average width as a screen DC measures them.
  TEXTMETRICW GetTextMetrics() const noexcept;
};

}  // namespace OWL
