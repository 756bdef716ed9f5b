// Dialog and default GUI fonts for a DC.
#include "platform/uihelpers/DialogFonts.h"

#include "platform/owl/TApplication.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TScreenDC.h"
#include "platform/uihelpers/DCUnits.h"

#include <cwchar>

namespace QOR {

int UserInterfacePointSize() noexcept {
  WORD const language = OWL::TApplication::GetPrimaryLanguage();
  return (language == LANG_CHINESE || language == LANG_JAPANESE) ? 12 : 10;
}

LOGFONTW DialogLogFont(const OWL::TDC& dc, int points, int angle, bool underline) {
  LOGFONTW lf{};
  lf.lfHeight = -PointsToLogicalHeight(dc, points ? points : UserInterfacePointSize());
  lf.lfEscapement = angle;
  lf.lfOrientation = angle;
  lf.lfWeight = FW_NORMAL;
  lf.lfUnderline = underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  bool const screen = dc.GetDeviceCaps(TECHNOLOGY) == DT_RASDISPLAY;
  lf.lfOutPrecision = (screen && angle == 0) ? OUT_DEFAULT_PRECIS : OUT_TT_ONLY_PRECIS;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  wcsncpy(lf.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE - 1);
  return lf;
}

OWL::TFont* CreateDialogFont(const OWL::TDC& dc, int points, int angle) {
  return new OWL::TFont(DialogLogFont(dc, points, angle));
}

OWL::TFont* CreateFontForDC(const OWL::TDC* dc, int points, int angle, bool underline) {
  if (dc) return new OWL::TFont(DialogLogFont(*dc, points, angle, underline));
  OWL::TScreenDC screen;
  return new OWL::TFont(DialogLogFont(screen, points, angle, underline));
}

OWL::TFont* CreateDefaultGUIFont(const OWL::TDC& dc, int points, bool bold) {
  LOGFONTW face{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
  LOGFONTW lf{};
  lf.lfHeight = -PointsToLogicalHeight(dc, points);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = 18;
  wcsncpy(lf.lfFaceName, face.lfFaceName, LF_FACESIZE - 1);
  return new OWL::TFont(lf);
}

OWL::TSize GetScreenTextMetrics(HFONT font) noexcept {
  OWL::TScreenDC screen;
  if (!screen.IsOK()) return {};
  HGDIOBJ const old = SelectObject(screen.GetHDC(), font);
  TEXTMETRICW tm{};
  GetTextMetricsW(screen.GetHDC(), &tm);
  SelectObject(screen.GetHDC(), old);
  return {tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading};
}

}  // namespace QOR
