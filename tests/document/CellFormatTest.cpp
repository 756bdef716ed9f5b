// The Table View's number texts: significant figures, dropped points, tidy exponents, whole
// numbers for the event number and time, and the clamped figures of a stored format.
#include "document/CellFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using ZR::CellFormat;

std::wstring Text(double value, int32_t figures = 4, int32_t measurement = 5) {
  return CellFormat{figures, measurement}.Format(value).GetText();
}

TEST(CellFormat, FourFiguresGiveTheTableOfNumbers) {
  const struct {
    double value;
    const wchar_t* text;
  } cases[] = {
      {12345.678, L"1.235e4"}, {0.5, L"0.5000"},      {1234, L"1234"},    {100, L"100.0"},
      {0.00001234, L"1.234e-5"}, {1234.4, L"1234"},   {-0.5, L"-0.5000"}, {1e100, L"1.000e100"},
      {0.0, L"0.000"},         {-1.5e-300, L"-1.500e-300"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, Text(c.value)) << c.value;
  // One figure: the point goes wherever no digit follows it, as the grid's own shortening writes.
  const struct {
    double value;
    const wchar_t* text;
  } one[] = {{79.2, L"8e1"}, {5.0, L"5"}, {0.5, L"0.5"}, {-0.000125, L"-0.0001"}, {-1.2e-5, L"-1e-5"}, {760, L"8e2"}};
  for (const auto& c : one) EXPECT_EQ(c.text, Text(c.value, 1)) << c.value;
}

TEST(CellFormat, ExponentsOfTwoAndThreeDigitsAreTidiedAlike) {
  for (const wchar_t* text : {L"1.235e+04", L"1.235e+004"}) EXPECT_EQ(L"1.235e4", ZR::TidyExponent(text));
  for (const wchar_t* text : {L"1.234e-05", L"1.234e-005"}) EXPECT_EQ(L"1.234e-5", ZR::TidyExponent(text));
  EXPECT_EQ(L"1.000", ZR::TidyExponent(L"1.000e+000")) << "an exponent of zero goes";
  for (const wchar_t* text : {L"1234", L"", L" ", L"abc", L"1.2e+x", L"abc.", L"1.e+x"})
    EXPECT_EQ(text, ZR::TidyExponent(text));
}

TEST(CellFormat, EventNumberAndTimeAreWholeNumbersRoundedAwayFromZero) {
  EXPECT_EQ(L"3", Text(2.5, 4, 1));
  EXPECT_EQ(L"-3", Text(-2.5, 4, 1));
  EXPECT_EQ(L"12346", Text(12345.678, 2, 58));
  EXPECT_EQ(L"2147483647", Text(1e12, 4, 1)) << "saturates";
  EXPECT_EQ(L"-2147483648", Text(-1e12, 4, 1));
}

TEST(CellFormat, ValuesWithoutANumberShowOneSpace) {
  for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(L" ", Text(v));
    EXPECT_EQ(L" ", Text(v, 4, 1));
  }
}

// Stored figures come from a file: 0 would act as 6 and 1000 would print invented digits.
TEST(CellFormat, FiguresOutsideOneToSeventeenAreClamped) {
  EXPECT_EQ(L"1e4", Text(12345.678, 0));
  EXPECT_EQ(L"1e4", Text(12345.678, -5));
  EXPECT_EQ(L"0.10000000000000001", Text(0.1, 17));
  EXPECT_EQ(L"0.10000000000000001", Text(0.1, 1000));
  EXPECT_EQ(L"0.10000000000000001", Text(0.1, 0x7FFFFFFF));
}

}  // namespace
