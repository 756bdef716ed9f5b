// Tests of the strict reading of setting texts that the host's settings and the settings stream use.
#include "document/StrictSettingText.h"

#include "document/ZRSettingIO.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace ZR::Doc;

TEST(StrictSettingText, TakesOnlyOneWholeValueOfTheKind) {
  const struct {
    int32_t kind;
    const wchar_t* text;
    bool taken;
  } cases[] = {
      {kSettingBool, L"t", true},          {kSettingBool, L"f", true},          {kSettingBool, L"T", false},
      {kSettingBool, L"true", false},      {kSettingBool, L"", false},          {kSettingInt, L"-12", true},
      {kSettingInt, L"2147483647", true},  {kSettingInt, L"2147483648", false}, {kSettingInt, L"5.0", false},
      {kSettingInt, L"1e3", false},        {kSettingInt10, L"40 ", false},      {kSettingLong, L"-2147483648", true},
      {kSettingLong, L"0x10", false},      {kSettingDouble, L"0.0005", true},   {kSettingDouble, L"5e-04", true},
      {kSettingDouble, L"-.5", true},      {kSettingDouble, L"2E+09", true},    {kSettingDouble, L"0,0005", false},
      {kSettingDouble, L"abc", false},     {kSettingDouble, L"NaN", false},     {kSettingDouble, L"+inf", false},
      {kSettingDouble, L"1e400", false},   {kSettingDouble, L"1e", false},      {kSettingDouble, L".", false},
      {kSettingDouble, L"+1", true},       {kSettingDouble, L"+-1", false},     {kSettingInt, L"+5", true},
      {kSettingDouble, L"1\x2030", false}, {kSettingDetectionSet, L"any", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.taken, IsStrictSettingText(c.kind, QOR::String(c.text))) << c.kind << " '" << std::wstring(c.text) << "'";
}

// What ToText writes for a value that is not finite reads back as that value, which IsValid
// refuses: the caller that checks it takes finite numbers only.
TEST(StrictSettingText, NonFiniteTextsReadAsWrittenAndAreInvalid) {
  ZRSettingDouble baseline(kSettingBaselineValue, 5, 0, 0.0, -1.7976931348623157e308, 1.7976931348623157e308);
  for (const double value : {HUGE_VAL, -HUGE_VAL, std::nan("")}) {
    baseline.Set(value);
    const QOR::String text = baseline.ToText(true);
    baseline.Set(0.0);
    EXPECT_TRUE(ReadSettingTextStrictly(baseline, text)) << std::wstring(text.GetText());
    EXPECT_EQ(std::wstring(text.GetText()), baseline.ToText(true).GetText());
    EXPECT_FALSE(baseline.IsValid()) << std::wstring(text.GetText());
  }
}

TEST(StrictSettingText, RefusedTextLeavesTheValue) {
  ZRSettingDouble height(kSettingMinPeakHeight, 1, 0, 0.03, 0.0, 1e308);
  EXPECT_FALSE(ReadSettingTextStrictly(height, QOR::String(L"0,0005")));
  EXPECT_EQ(0.03, height.Get());
  EXPECT_TRUE(ReadSettingTextStrictly(height, QOR::String(L"-1")));  // out of bounds: IsValid says so
  EXPECT_EQ(-1.0, height.Get());
  EXPECT_FALSE(height.IsValid());
}

}  // namespace
