// OWL::TFont: font creation and measuring.
#include "platform/owl/TFont.h"

#include <cwchar>

namespace OWL {

TFont::TFont(const wchar_t* facename, int height, int width, int escapement, int orientation,
             int weight, uint8_t pitchAndFamily, bool italic, bool underline, bool strikeout,
             uint8_t charSet, uint8_t outputPrecision, uint8_t clipPrecision, uint8_t quality) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfStrikeOut = strikeout;
  lf.lfCharSet = charSet;
  lf.lfOutPrecision = outputPrecision;
  lf.lfClipPrecision = clipPrecision;
  lf.lfQuality = quality;
  lf.lfPitchAndFamily = pitchAndFamily;
  if (facename) wcsncpy(lf.lfFaceName, facename, LF_FACESIZE - 1);
  TakeCreated(CreateFontIndirectW(&lf), L"CreateFontIndirect");
}

TFont::TFont(const LOGFONTW& logFont) {
  TakeCreated(CreateFontIndirectW(&logFont), L"CreateFontIndirect");
}

LOGFONTW TFont::GetObject() const noexcept {
  LOGFONTW lf{};
  ::GetObjectW(mHandle, sizeof lf, &lf);
  return lf;
}

TEXTMETRICW TFont::GetTextMetrics() const noexcept {
  TEXTMETRICW tm{};
  HDC const dc = GetDC(nullptr);
  if (!dc) return tm;
  HGDIOBJ const old = SelectObject(dc, mHandle);
  ::GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm;
}

}  // namespace OWL
