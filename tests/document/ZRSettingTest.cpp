// Tests of the setting kinds: their text forms, validity and defaults.
#include "document/ZRSetting.h"

#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using namespace ZR::Doc;

std::wstring Text(const QOR::String& s) { return s.GetText(); }

TEST(ZRSettingBool, IsSetOnlyByATextBeginningWithLowerCaseT) {
  ZRSetting_Bool setting(kSettingShowPeakMarkers, 4, 0x1F, true);
  const struct {
    const wchar_t* text;
    bool set;
  } cases[] = {{L"t", true}, {L"true", true}, {L"tx", true}, {L"", false},
               {L"T", false}, {L"f", false},  {L" t", false}, {L"1", false}};
  for (const auto& c : cases) {
    setting.Set(!c.set);
    setting.FromText(c.text, true);
    EXPECT_EQ(setting.Get(), c.set) << c.text;
    EXPECT_EQ(Text(setting.ToText(true)), c.set ? L"t" : L"f");
    EXPECT_TRUE(setting.IsValid());
  }
  setting.ResetToDefault();
  EXPECT_TRUE(setting.Get());
}

TEST(ZRSettingInt, StoresAnyNumberReadAndKeepsItsValueForText) {
  ZRSettingInt setting(kSettingMidPlateauPercent, 2, 2, 50, 0, 100);
  setting.FromText(L"101", true);
  EXPECT_EQ(setting.Get(), 101);  // out of bounds, stored as read
  EXPECT_FALSE(setting.IsValid());
  for (const wchar_t* unreadable : {L"", L"abc", L"99999999999", L"-"}) {
    setting.Set(7);
    setting.FromText(unreadable, true);
    EXPECT_EQ(setting.Get(), 7) << unreadable;
  }
  setting.FromText(L"-3", true);
  EXPECT_EQ(Text(setting.ToText(true)), L"-3");
  EXPECT_DOUBLE_EQ(setting.AsDouble(), -3.0);
  setting.ResetToDefault();
  EXPECT_EQ(setting.Get(), 50);
  EXPECT_TRUE(setting.IsValid());
}

TEST(ZRSettingDouble, WritesTheShortestExactClassicText) {
  ZRSettingDouble setting(kSettingStimulusPosition, 0, 0x18, 50, 0, 2e9);
  const struct {
    double value;
    const wchar_t* text;
  } cases[] = {{50, L"50"},
               {0.0005, L"0.0005"},
               {2e9, L"2e+09"},
               {1234567, L"1234567"},
               {0.1234567, L"0.1234567"},
               {0.0001234567, L"0.0001234567"}};
  for (const auto& c : cases) {
    setting.Set(c.value);
    EXPECT_EQ(Text(setting.ToText(true)), c.text);
    setting.Set(-1.0);
    setting.FromText(c.text, true);
    EXPECT_EQ(setting.Get(), c.value) << c.text;
  }
}

TEST(ZRSettingDouble, NaNAndValuesOutsideTheBoundsAreInvalid) {
  ZRSettingDouble setting(kSettingMaxNegSlopeSmoothing, 2, 0x22, 4, 0.1, 100);
  const struct {
    double value;
    bool valid;
  } cases[] = {{4, true},       {0.1, true},   {100, true},
               {0.05, false},   {100.5, false},
               {std::numeric_limits<double>::quiet_NaN(), false}};
  for (const auto& c : cases) {
    setting.Set(c.value);
    EXPECT_EQ(setting.IsValid(), c.valid) << c.value;
  }
  setting.FromText(L"nonsense", true);
  EXPECT_TRUE(std::isnan(setting.Get()));
}

TEST(ZRSettingLong, ReadsTheFullSignedRange) {
  ZRSettingLong setting(kSettingRegionStartRecord, 4, 0x1F, -1, -1, 2147483647L);
  setting.FromText(L"2147483647", true);
  EXPECT_EQ(setting.Get(), 2147483647L);
  EXPECT_EQ(Text(setting.ToText(true)), L"2147483647");
  setting.FromText(L"2147483648", true);  // does not fit: kept
  EXPECT_EQ(setting.Get(), 2147483647L);
  EXPECT_EQ(setting.Kind(), kSettingLong);
}

TEST(ZRSetting, TheBaseHasNoValue) {
  ZRSetting setting(SettingIdOf(1), 0, 3, 1);
  EXPECT_FALSE(setting.IsValid());
  EXPECT_EQ(Text(setting.ToText(true)), L"?");
  EXPECT_FALSE(setting.CopyFrom(setting));
  EXPECT_TRUE(setting.AppliesTo(0));
  EXPECT_FALSE(setting.AppliesTo(1));
  EXPECT_FALSE(setting.AppliesTo(-1));
}

}  // namespace
