// The settings' ids, kinds, pages, type masks, defaults and bounds, checked against a second
// transcription of the settings tables.
#include "document/SettingsStore.h"

#include "document/ZRSettingIO.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using namespace ZR::Doc;

std::wstring Describe(const SettingsGroup& group, uint32_t count, bool values) {
  std::wstring text;
  for (uint32_t i = 0; i < count; ++i) {
    const ZRSetting* s = group.At(i);
    text += std::to_wstring(s->Id()) + L':';
    text += values ? std::wstring(s->ToText(true).GetText())
                   : std::to_wstring(s->Kind()) + L':' + std::to_wstring(s->Page()) + L':' +
                         std::to_wstring(s->TypeMask());
    text += L';';
  }
  return text;
}

const wchar_t kGlobalDefaults[] =
    L"2000:0;2001:0;2023:-1;2024:-1;2025:-1;2002:t;2003:0;2004:f;2005:-1;2006:-1;2007:-1;2008:-1;"
    L"2009:f;2010:t;2011:f;2012:t;2013:t;2014:t;2015:t;2016:t;2017:t;2018:t;2019:t;2020:t;2021:t;"
    L"2022:t;2026:f;2027:0;2028:0;2029:0;2030:0;";
const wchar_t kChannelDefaults[] =
    L"1005:50;1003:1;1002:1;1028:0.0005;1000:4;1004:10;1006:0.03;1007:0;1008:100;1009:t;1010:;"
    L"1001:50;1035:4;1027:10;1036:t;1039:0;1040:0;1033:5;1034:12;1041:0;1011:40;1012:90;1013:50;"
    L"1014:5;1015:5;1016:10;1017:10;1018:90;1019:t;1037:1;1038:0;1020:10;1021:11;1022:10;1023:10;"
    L"1024:20;1025:30;1026:5;1029:50;1030:0;1031:5;1032:4;";
// id:kind:page:type mask
const wchar_t kChannelShape[] =
    L"1005:4:0:24;1003:4:0:24;1002:4:0:8;1028:4:0:16;1000:1:0:24;1004:4:0:24;1006:4:1:10;"
    L"1007:4:1:8;1008:4:1:8;1009:0:1:10;1010:6:1:5;1001:4:1:2;1035:4:1:32;1027:4:1:24;1036:0:1:34;"
    L"1039:1:5:15;1040:4:5:15;1033:1:5:15;1034:1:5:32;1041:1:5:47;1011:2:2:2;1012:2:2:2;"
    L"1013:1:2:2;1014:4:2:2;1015:4:2:13;1016:4:2:13;1017:1:2:43;1018:1:2:43;1019:0:2:0;"
    L"1037:1:2:13;1038:4:2:1;1020:4:2:1;1021:4:2:1;1022:4:2:8;1023:4:2:16;1024:4:2:16;1025:1:2:2;"
    L"1026:4:2:2;1029:1:2:13;1030:1:2:13;1031:1:2:34;1032:4:2:34;";

TEST(SettingTables, DefaultsKindsPagesAndTypesAreThoseOfTheTables) {
  SettingsStore store(nullptr);
  const Settings1& group = store.GetOrCreateGroup(0, -1, nullptr);
  EXPECT_EQ(Describe(store.Global(), store.Global().Count(), true), kGlobalDefaults);
  EXPECT_EQ(Describe(group, 42, true), kChannelDefaults);
  EXPECT_EQ(Describe(group, 42, false), kChannelShape);
  for (uint32_t i = 0; i < store.Global().Count(); ++i) {
    EXPECT_EQ(store.Global().At(i)->Page(), 4);
    EXPECT_EQ(store.Global().At(i)->TypeMask(), 31);
  }
}

template <typename Setting>
bool HasBounds(const ZRSetting* setting, double minimum, double maximum) {
  const auto* typed = dynamic_cast<const Setting*>(setting);
  return typed != nullptr && static_cast<double>(typed->GetMinimum()) == minimum &&
         static_cast<double>(typed->GetMaximum()) == maximum;
}

TEST(SettingTables, BoundsAreThoseOfTheTables) {
  constexpr double kLowest = std::numeric_limits<double>::lowest();
  constexpr double kLargest = std::numeric_limits<double>::max();
  const struct {
    int id;
    double minimum;
    double maximum;
  } bounds[] = {
      {2000, 0, 6}, {2001, 0, 32}, {2023, -1, 2147483647}, {2024, -1, 2147483647},
      {2025, -1, 2147483647}, {2003, 0, 4}, {2005, -1, 2147483647}, {2006, -1, 2147483647},
      {2007, -1, 2147483647}, {2008, -1, 2147483647}, {2027, kLowest, kLargest},
      {2028, kLowest, kLargest}, {2029, kLowest, kLargest}, {2030, kLowest, kLargest},
      {1005, 0, 2e9}, {1003, 0, 99999}, {1002, 0, kLargest}, {1028, 0, kLargest}, {1000, 2, 5},
      {1004, 0, 99999}, {1006, 0, kLargest}, {1007, 0, 99999}, {1008, 0, 99999},
      {1001, 0, 99999}, {1035, 0, 99999}, {1027, 0, 99999}, {1039, 0, 3},
      {1040, kLowest, kLargest}, {1033, 5, 99}, {1034, 5, 99}, {1041, 0, 99}, {1011, 0, 100},
      {1012, 0, 100}, {1013, 0, 100}, {1014, 0, 99999}, {1015, 0, 99999}, {1016, 0, 99999},
      {1017, 0, 100}, {1018, 0, 100}, {1037, 0, 3}, {1038, kLowest, kLargest},
      {1020, 0, 99999}, {1021, 0, 99999}, {1022, 0, 99999}, {1023, 0, 99999},
      {1024, 0, 99999}, {1025, 0, 100}, {1026, 0, 99999}, {1029, 0, 100}, {1030, 0, 100},
      {1031, 0, 99999}, {1032, 0.1, 100},
  };
  SettingsStore store(nullptr);
  store.GetOrCreateGroup(0, -1, nullptr);
  for (const auto& b : bounds) {
    const ZRSetting* s = store.FindSetting(b.id);
    ASSERT_NE(s, nullptr) << b.id;
    EXPECT_TRUE(HasBounds<ZRSettingInt>(s, b.minimum, b.maximum) ||
                HasBounds<ZRSettingLong>(s, b.minimum, b.maximum) ||
                HasBounds<ZRSettingDouble>(s, b.minimum, b.maximum))
        << "setting " << b.id;
  }
}

}  // namespace
