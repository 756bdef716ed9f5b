// The minimum peak height's numbers: slider positions of values, texts that pass or fail, and
// spin steps as the edit shows them.
#include "settingsdlg/MinPeakHeightValue.h"

#include "enumerators/framework/HostHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

namespace MPH = ZR::Dlg::MinPeakHeight;

TEST(MinPeakHeight, SliderPositionsOfValues) {
  const struct {
    double value;
    int position;
  } cases[] = {{1.23, 24}, {1.225, 24}, {1.2, 23}, {0.05, 0}, {0.01, 0}, {9.0, 179}, {9.5, 179}, {12.0, 179},
               {0.075, 1}, {-3.0, 0}};
  for (const auto& c : cases) EXPECT_EQ(MPH::SliderPosition(c.value), c.position) << c.value;
  EXPECT_EQ(MPH::SliderPosition(std::nan("")), 0);
  for (int i = 0; i < MPH::kSliderPositions; ++i) EXPECT_EQ(MPH::SliderPosition(MPH::SliderValue(i)), i) << i;
}

TEST(MinPeakHeight, TextsCheckedAgainstTheModesBounds) {
  const MPH::Bounds sd = MPH::BoundsOf(true, false);
  const MPH::Bounds positive = MPH::BoundsOf(false, true);
  const MPH::Bounds any = MPH::BoundsOf(false, false);
  const struct {
    const wchar_t* text;
    bool sd, positive, any;
  } cases[] = {
      {L"9", true, true, true},        {L"9.5", false, true, true},   {L"0.05", true, true, true},
      {L"-", false, false, false},     {L".", false, false, false},   {L"e", false, false, false},
      {L"1e-3", false, true, true},    {L"", false, false, true},     {L"0", false, false, true},
      {L"-3", false, false, true},     {L"1,5", false, false, false}, {L"2x", false, false, false},
      {L"1.5.", false, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MPH::IsValidText(c.text, L'.', sd), c.sd) << "S.D. " << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(MPH::IsValidText(c.text, L'.', positive), c.positive) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(MPH::IsValidText(c.text, L'.', any), c.any) << testing::PrintToString(std::wstring(c.text));
  }
}

// A user whose decimal separator is a comma: "1,5" is one and a half, not one with text left.
TEST(MinPeakHeight, TheUsersDecimalSeparatorReadsAsThePoint) {
  bool complete = false;
  EXPECT_EQ(MPH::ReadNumber(L"1,5", L',', &complete), 1.5);
  EXPECT_TRUE(complete);
  EXPECT_EQ(MPH::ReadNumber(L"1,5", L'.', &complete), 1.0);
  EXPECT_FALSE(complete);
  EXPECT_TRUE(MPH::IsValidText(L"1,5", L',', MPH::BoundsOf(true, false)));
  EXPECT_EQ(MPH::ReadNumber(L"", L'.', &complete), 0.0);
  EXPECT_TRUE(complete);
}

// Each step reads back the text the edit shows (five significant digits).
TEST(MinPeakHeight, SpinStepsWorkOnTheShownValueAndStayInBounds) {
  const MPH::Bounds sd = MPH::BoundsOf(true, false);
  std::wstring shown = L"1";
  std::vector<std::wstring> seen;
  for (int i = 0; i < 4; ++i) {
    shown = ExtLib::FormatDouble(MPH::SpinStep(MPH::ReadNumber(shown, L'.', nullptr), -1, sd), 5);
    seen.push_back(shown);
  }
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"1.1", L"1.21", L"1.331", L"1.4641"}));
  EXPECT_EQ(MPH::SpinStep(0.05, 1, sd), 0.05);
  EXPECT_EQ(MPH::SpinStep(9.0, -1, sd), 9.0);
  EXPECT_EQ(MPH::SpinStep(0.0, 1, MPH::BoundsOf(false, true)), 1e-30);
}

}  // namespace
