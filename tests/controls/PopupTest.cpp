// QOR::Popup: placing the tip inside the work area, wrapping, and the window it makes.
#include "controls/Popup.h"

#include "tests/support/HostApplicationSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PopupPlacement, StaysTenPixelsInsideTheRightEdgeAndFlipsAboveNearTheBottom) {
  RECT const work{0, 0, 1000, 700};
  SIZE const size{120, 30};
  POINT const free = QOR::Popup::PlaceInWorkArea(POINT{100, 100}, size, work);
  EXPECT_EQ(free.x, 100);
  EXPECT_EQ(free.y, 100);
  POINT const right = QOR::Popup::PlaceInWorkArea(POINT{950, 100}, size, work);
  EXPECT_EQ(right.x, 1000 - 120 - 10);
  POINT const bottom = QOR::Popup::PlaceInWorkArea(POINT{100, 680}, size, work);
  EXPECT_EQ(bottom.y, 680 - 30 - 3);
  POINT const exact = QOR::Popup::PlaceInWorkArea(POINT{100, 670}, size, work);
  EXPECT_EQ(exact.y, 670);
}

TEST(PopupMeasure, WrapsLongTextsAt300Pixels) {
  HFONT const font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SIZE const one = QOR::Popup::MeasureText(font, L"Get dialog help");
  std::wstring long_text;
  for (int i = 0; i < 40; ++i) long_text += L"word ";
  SIZE const many = QOR::Popup::MeasureText(font, long_text.c_str());
  EXPECT_LE(many.cx, 305);
  EXPECT_GE(many.cy, 3 * (one.cy - 2) + 2);
}

TEST(Popup, ShowsWithoutActivationInsideTheWorkArea) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  HWND const active = GetActiveWindow();
  QOR::Popup tip(OWL::TPoint(work.right - 5, work.bottom - 5), nullptr, L"A tip near the corner");
  ASSERT_TRUE(tip.IsWindow());
  EXPECT_TRUE(tip.IsWindowVisible());
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_EQ(tip.GetStyle() & (WS_POPUP | WS_DISABLED | WS_BORDER), DWORD{WS_POPUP | WS_DISABLED | WS_BORDER});
  RECT const place = tip.GetWindowRect();
  EXPECT_LE(place.right, work.right - 10);
  EXPECT_LT(place.bottom, work.bottom - 5);
}

TEST(Popup, IsMadeButNotShownWhileTheHostApplicationIsHidden) {
  ASSERT_EQ(testsupport::SetHostApplicationVisible(false), S_OK);
  {
    QOR::Popup hidden(OWL::TPoint(100, 100), nullptr, L"Get dialog help");
    EXPECT_TRUE(hidden.IsWindow());
    EXPECT_FALSE(hidden.IsWindowVisible());
  }
  ASSERT_EQ(testsupport::SetHostApplicationVisible(true), S_OK);
  QOR::Popup shown(OWL::TPoint(100, 100), nullptr, L"Get dialog help");
  EXPECT_TRUE(shown.IsWindowVisible());
}

}  // namespace
