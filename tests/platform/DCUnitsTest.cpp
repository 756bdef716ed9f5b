// Point and 0.01 mm conversions at 96 and 192 dpi and through a scaled DC, and the dialog
// fonts they size (12 points on a Japanese user interface).
#include "platform/uihelpers/DCUnits.h"

#include "platform/owl/TApplication.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/uihelpers/DialogFonts.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A DC answering a chosen resolution and a 200 x 100 mm page of 2000 x 1000 pixels.
class DpiDC : public OWL::TMemoryDC {
 public:
  explicit DpiDC(int dpi) : mDpi(dpi) {}
  int GetDeviceCaps(int index) const noexcept override {
    switch (index) {
      case LOGPIXELSX:
      case LOGPIXELSY: return mDpi;
      case HORZRES: return 2000;
      case VERTRES: return 1000;
      case HORZSIZE: return 200;
      case VERTSIZE: return 100;
      default: return TMemoryDC::GetDeviceCaps(index);
    }
  }

 private:
  int mDpi;
};

}  // namespace

TEST(DCUnits, PointsAt96And192DpiAndThroughAScaledDC) {
  DpiDC dc96(96);
  DpiDC dc192(192);
  EXPECT_EQ(QOR::PointsToLogicalHeight(dc96, 9), 12);
  EXPECT_EQ(QOR::PointsToLogicalHeight(dc96, 10), 13);   // 13.33
  EXPECT_EQ(QOR::PointsToLogicalHeight(dc192, 10), 27);  // 26.67
  // Two logical units per device pixel: the same text needs twice the units.
  dc96.SetMapMode(MM_ANISOTROPIC);
  dc96.SetWindowExt(OWL::TSize(200, 200));
  dc96.SetViewportExt(OWL::TSize(100, 100));
  EXPECT_EQ(QOR::PointsToLogicalHeight(dc96, 10), 26);
  EXPECT_EQ(QOR::ScaleToLogicalUnits(dc96, 7), 14);
  // 10 mm across a 200 mm page of 2000 pixels.
  EXPECT_EQ(QOR::HimetricToDevice(dc192, OWL::TSize(1000, 1000)), OWL::TSize(100, 100));
}

TEST(DialogFonts, SizeFollowsTheDCAndTheUserInterfaceLanguage) {
  DpiDC dc(96);
  std::unique_ptr<OWL::TFont> font(QOR::CreateDialogFont(dc, 0));
  LOGFONTW lf = font->GetObject();
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_STREQ(lf.lfFaceName, L"MS Shell Dlg 2");
  EXPECT_EQ(lf.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);

  LANGID const saved = OWL::TApplication::GetLangId();
  OWL::TApplication::SetLangId(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
  EXPECT_EQ(QOR::UserInterfacePointSize(), 12);
  font.reset(QOR::CreateDialogFont(dc, 0, 900));
  lf = font->GetObject();
  OWL::TApplication::SetLangId(saved);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfOutPrecision, OUT_TT_ONLY_PRECIS);  // rotated text needs TrueType

  std::unique_ptr<OWL::TFont> bold(QOR::CreateDefaultGUIFont(dc, 10, true));
  EXPECT_EQ(bold->GetObject().lfWeight, FW_BOLD);
  EXPECT_GT(QOR::GetScreenTextMetrics(bold->GetHandle()).cy, 0);
}
