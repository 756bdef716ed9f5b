// The channel calculation's settings text, its partial take-over and its locale independence.
#include "chancalc/ChanCalcSettingsText.h"
#include "chancalc/OutputFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>

namespace {

using ZR::ChanCalc::FormatSettingsText;
using ZR::ChanCalc::ParseSettingsText;
using ZR::ChanCalc::SettingsValues;

// A decimal comma, as a user locale may have it.
struct CommaPunct : std::numpunct<wchar_t> {
  wchar_t do_decimal_point() const override { return L','; }
  wchar_t do_thousands_sep() const override { return L'.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(SettingsText, DefaultsUnderACommaLocaleRoundTrip) {
  const std::locale saved = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
  std::setlocale(LC_NUMERIC, "German");
  SettingsValues values;
  const std::wstring text = FormatSettingsText(values);
  values.scaleTop = 1234.5f;
  values.scaleBottom = 1e-5f;
  const std::wstring scaled = FormatSettingsText(values);
  std::setlocale(LC_NUMERIC, "C");
  std::locale::global(saved);
  EXPECT_EQ(text, L"1\t2\t1\t-1\t4\t1\t0\t777");
  EXPECT_EQ(scaled, L"1\t2\t1234.5\t1e-05\t4\t1\t0\t777");
  SettingsValues loaded;
  loaded.parameterId = 9;
  ASSERT_TRUE(ParseSettingsText(scaled.c_str(), loaded));
  EXPECT_EQ(loaded.parameterId, 2);
  EXPECT_EQ(loaded.scaleTop, 1234.5f);
  EXPECT_EQ(loaded.scaleBottom, 1e-5f);
}

// Each damaged text takes the fields before its fault and keeps the others.
TEST(SettingsText, ReadingStopsAtTheFirstBadField) {
  struct Case {
    const wchar_t* text;
    bool ok;
    int32_t parameterId;
    float top;
    int32_t decimals;
    bool autoScale;
    int32_t channel;
  };
  // Starting values: id 7, top 9, bottom -9, 3 decimals, auto scale off, channel 5.
  const Case cases[] = {
      {L"1\t4\t2.5\t-2.5", false, 4, 2.5f, 3, false, 5},            // cut after field 4
      {L"1\t4\t2.5\t-2.5\t6\t2\t8\t777", false, 4, 2.5f, 6, false, 5},  // field 6 is 2
      {L"3\t4\t2.5\t-2.5\t6\t1\t8\t777 tail", true, 4, 2.5f, 6, true, 8},  // another version
      {L"  1 4\t1e-005\t-1\t0\t1\t8\t777", true, 4, 1e-5f, 0, true, 8},   // three exponent digits
      {L"1\t59\t2\t-2\t6\t1\t8\t777", false, 7, 9.0f, 3, false, 5},     // id out of range
      {L"1\t-1\t2\t-2\t6\t1\t8\t777", false, 7, 9.0f, 3, false, 5},
      {L"1\t4\t1e39\t-2\t6\t1\t8\t777", false, 4, 9.0f, 3, false, 5},   // scale not a float
      {L"1\t4\t2\t-2\t7\t1\t8\t777", false, 4, 2.0f, 3, false, 5},      // decimal places 7
      {L"1\t4\t2\t-2\t6\t1\t8\t778", false, 4, 2.0f, 6, true, 8},       // wrong marker
      {L"", false, 7, 9.0f, 3, false, 5},
  };
  for (const Case& c : cases) {
    SettingsValues values{7, 9.0f, -9.0f, 3, false, 5};
    EXPECT_EQ(ParseSettingsText(c.text, values), c.ok) << c.text;
    EXPECT_EQ(values.parameterId, c.parameterId) << c.text;
    EXPECT_EQ(values.scaleTop, c.top) << c.text;
    EXPECT_EQ(values.decimalPlaces, c.decimals) << c.text;
    EXPECT_EQ(values.autoScale, c.autoScale) << c.text;
    EXPECT_EQ(values.outputChannel, c.channel) << c.text;
  }
}

// value = scale * (raw + offset)
double ValueAt(const ChannelCalcFormat& format, double raw) { return format.scale * (raw + format.offset); }

TEST(OutputFormat, BottomAndTopMapToTheRawEnds) {
  const ChannelCalcFormat format = ZR::ChanCalc::OutputRangeFormat(3.0f, -1.0f, 5, false);
  EXPECT_NEAR(ValueAt(format, -32000.0), -1.0, 1e-9);
  EXPECT_NEAR(ValueAt(format, 32000.0), 3.0, 1e-9);
  EXPECT_EQ(format.decimalPlaces, 5);
  EXPECT_EQ(format.unitPrefixIndex, 1);
  EXPECT_TRUE(std::isinf(format.upperLimit) && format.upperLimit > 0);

  const ChannelCalcFormat symmetric = ZR::ChanCalc::OutputRangeFormat(2.0f, 100.0f, 1, true);
  EXPECT_NEAR(ValueAt(symmetric, -32000.0), -2.0, 1e-9);

  const ChannelCalcFormat clamped = ZR::ChanCalc::OutputRangeFormat(3e38f, -3e38f, 1, false);
  EXPECT_NEAR(ValueAt(clamped, 32000.0) / 1e24, 1.0, 1e-6);
  EXPECT_NEAR(ValueAt(clamped, -32000.0) / 1e24, -1.0, 1e-6);
}

// A NaN top or bottom used to give a NaN offset, and with it a channel of NaN values.
TEST(OutputFormat, NonFiniteEndsTakeTheirDefaults) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (const auto& [top, bottom, shownTop, shownBottom] :
       {std::tuple{nan, -4.0f, 1.0, -4.0}, {4.0f, nan, 4.0, -1.0}, {inf, -inf, 1.0, -1.0}}) {
    const ChannelCalcFormat format = ZR::ChanCalc::OutputRangeFormat(top, bottom, 2, false);
    ASSERT_TRUE(std::isfinite(format.offset)) << shownTop << " " << shownBottom;
    EXPECT_NEAR(ValueAt(format, 32000.0), shownTop, 1e-9);
    EXPECT_NEAR(ValueAt(format, -32000.0), shownBottom, 1e-9);
  }
}

}  // namespace
