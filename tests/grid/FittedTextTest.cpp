// Cutting cell and heading text to a width with an ellipsis.
#include "grid/FittedText.h"

#include "grid/FittedNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <random>
#include <string>

namespace {

class FittedTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mDc = CreateCompatibleDC(nullptr);
    mOld = SelectObject(mDc, GetStockObject(DEFAULT_GUI_FONT));
  }
  void TearDown() override {
    SelectObject(mDc, mOld);
    DeleteDC(mDc);
  }
  int Width(const std::wstring& text) const {
    SIZE size{};
    GetTextExtentPoint32W(mDc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  std::wstring Fit(const std::wstring& text, int width) const {
    return TVF_Grid::FitText(mDc, text.c_str(), static_cast<int>(text.size()), width);
  }
  HDC mDc = nullptr;
  HGDIOBJ mOld = nullptr;
};

TEST_F(FittedTextTest, TextThatFitsStaysAndCutTextEndsInAnEllipsis) {
  const std::wstring value = L"-0.09313";
  EXPECT_EQ(value, Fit(value, Width(value)));
  EXPECT_EQ(L"", Fit(L"", 0));
  // One pixel short of the whole value down to nothing: never half a character.
  for (int width = Width(value) - 1; width >= 0; --width) {
    const std::wstring shown = Fit(value, width);
    EXPECT_LE(Width(shown), width) << width;
    if (shown.size() <= 3) {
      EXPECT_EQ(std::wstring(L"...").substr(0, shown.size()), shown) << "only dots at " << width;
      continue;
    }
    const size_t dots = shown.size() - 3;
    EXPECT_EQ(L"...", shown.substr(dots)) << width;
    EXPECT_EQ(value.substr(0, dots), shown.substr(0, dots)) << width;
    EXPECT_GT(Width(value.substr(0, dots + 1) + L"..."), width) << "the longest start that fits, at " << width;
  }
}

// A number that does not fit loses figures, never its sign, point or exponent; without room for
// one figure it shows "#" marks, and one "#" for the cell to clip when not even one fits. Room is given as the width of a text in the test's font.
TEST_F(FittedTextTest, NumbersTooWideLoseFiguresAndKeepTheirExponent) {
  struct Case {
    const wchar_t* text;
    const wchar_t* room;  // the width it gets: this text's
    const wchar_t* shown;
    double value = NAN;   // the number behind the text, when the client gives it
  } const cases[] = {
      {L"0.002650", L"0.0026", L"0.0026", 0.002649965}, {L"0.003450", L"0.0035", L"0.0035", 0.003450035},
      {L"-2.650e-5", L"-2.6e-5", L"-2.6e-5", -2.649965e-5}, {L"1.250", L"1.2", L"1.2", 1.24996},
      {L"-0.01250", L"-0.01250", L"-0.01250"}, {L"-0.01250", L"-0.0125", L"-0.0125"},
      {L"2.611", L"2.6", L"2.6"},              {L"-9.313e-5", L"-9.31e-5", L"-9.31e-5"},
      {L"-9.313e-5", L"-9e-5", L"-9e-5"},      {L"-0.0002829", L"-0.00028", L"-0.00028"},
      {L"-0.0002829", L"-0.0003", L"-0.0003"}, {L"99.96", L"100", L"100"},
      {L"12345", L"1.2e4", L"1.2e4"},          {L"1.5E+05", L"2e5", L"2e5"},
      {L"-9.313e-5", L"##", L"##"},            {L"760", L"", L"#"},
      {L"0.9150", L"", L"#"},                 {L"0.9150", L"#", L"#"},
  };
  for (const Case& c : cases) {
    const std::wstring shown = TVF_Grid::FitNumber(mDc, c.text, Width(c.room), c.value);
    EXPECT_EQ(std::wstring(c.shown), shown) << c.text << " in the width of " << c.room;
  }
  for (const wchar_t* text : {L"760", L"-0.5", L"+.5", L"1E+05", L"2.", L"-9.313e-5"})
    EXPECT_TRUE(TVF_Grid::IsNumberText(text)) << text;
  for (const wchar_t* text : {L"", L" ", L"Avg", L"-", L"e5", L"1.2.3", L"12 mV", L"   5", L"1e"})
    EXPECT_FALSE(TVF_Grid::IsNumberText(text)) << text;
}

// However narrow its cell, a value shows as the number of the figures shown nearest to it (within
// half a unit of the last figure), not as its four-figure text rounded again: values anywhere,
// and values next to a half of the last figure kept, where rounding twice goes the other way.
TEST_F(FittedTextTest, NarrowedValuesAreTheNearestNumberOfTheFiguresShown) {
  std::mt19937 random(104);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0), nudge(-0.004, 0.004);
  std::uniform_int_distribution<int> exponent(-8, 7), kept(10, 99);
  for (int i = 0; i < 3000; ++i) {
    const double scale = std::pow(10.0, exponent(random));
    double value = i % 2 ? mantissa(random) * scale : (kept(random) + 0.5 + nudge(random)) * scale / 10;
    if (i % 3 == 0) value = -value;
    wchar_t text[32];
    std::swprintf(text, 32, L"%#.4g", value);
    for (int digits = 1; digits < static_cast<int>(wcslen(text)); ++digits) {
      const std::wstring shown = TVF_Grid::FitNumber(mDc, text, Width(std::wstring(digits, L'0')), value);
      if (shown[0] == L'#') continue;
      const double number = std::wcstod(shown.c_str(), nullptr);
      const int figures = TVF_Grid::SignificantFigures(shown);
      const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(number))) - figures + 1);
      EXPECT_LE(std::fabs(number - value), unit / 2 * (1 + 1e-9))
          << "case " << i << ": " << value << " shown " << std::string(shown.begin(), shown.end());
    }
  }
}

}  // namespace
