// DPIFontMap: comment fonts keyed by vertical resolution.
#include "hostclient/DPIFontMap.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/uihelpers/DialogFonts.h"

namespace ScrivoClient {

DPIFontMap& DPIFontMap::Instance() {
  static DPIFontMap map;
  return map;
}

const DPIFontMap::Entry& DPIFontMap::ForDC(const OWL::TDC& dc) {
  const int dpi = dc.GetDeviceCaps(LOGPIXELSY);
  auto found = mEntries.find(dpi);
  if (found != mEntries.end()) return found->second;
  Entry entry;
  LOGFONTW logFont = QOR::DialogLogFont(dc, QOR::UserInterfacePointSize());
  entry.normal = std::make_unique<OWL::TFont>(logFont);
  logFont.lfWeight = FW_BOLD;
  entry.bold = std::make_unique<OWL::TFont>(logFont);
  TEXTMETRICW metrics{};
  const HDC screen = GetDC(nullptr);
  if (screen) {
    const HGDIOBJ old = SelectObject(screen, entry.normal->GetHandle());
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
  }
  entry.averageCharWidth = metrics.tmAveCharWidth;
  return mEntries.emplace(dpi, std::move(entry)).first->second;
}

}  // namespace ScrivoClient
