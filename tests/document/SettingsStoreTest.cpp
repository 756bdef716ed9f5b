// Tests of the settings store: its groups, defaults, validation, look-ups and assignment.
#include "document/SettingsStore.h"

#include "document/ParamCatalogue.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "document/ZRSetting_Int10.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

namespace {

using namespace ZR::Doc;

std::wstring Text(const QOR::String& s) { return s.GetText(); }

// Every setting of a group as "id=text;", in group order.
std::wstring GroupText(const SettingsGroup& group) {
  std::wstring text;
  for (uint32_t i = 0; i < group.Count(); ++i) {
    text += std::to_wstring(NumberOf(group.At(i)->Id())) + L'=' + Text(group.At(i)->ToText(true)) + L';';
  }
  return text;
}

class SettingsStoreTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { BuildParamCatalogue(sCatalogue); }
  static void TearDownTestSuite() { sCatalogue.reset(); }
  static const ParamCatalogue* Catalogue() { return sCatalogue.get(); }

 private:
  static std::unique_ptr<ParamCatalogue> sCatalogue;
};

std::unique_ptr<ParamCatalogue> SettingsStoreTest::sCatalogue;

TEST_F(SettingsStoreTest, NewStoreHoldsTheGlobalSettingsAndNoGroup) {
  SettingsStore store(Catalogue());
  EXPECT_EQ(store.Global().Count(), 31u);
  EXPECT_EQ(store.GroupCount(), 0u);
  EXPECT_EQ(store.CurrentGroupIndex(), -1);
  EXPECT_EQ(store.FindSetting(kSettingStimulusPosition), nullptr);  // no group for the current channel
  EXPECT_EQ(store.GetDetectionSettingsObject(), nullptr);
  EXPECT_EQ(store.GetLongValue(kSettingSourceObject), -1);
  EXPECT_EQ(NumberOf(store.Global().At(0)->Id()), 2000);
  EXPECT_EQ(NumberOf(store.Global().At(30)->Id()), 2030);
}

TEST_F(SettingsStoreTest, ChannelGroupsHoldTheirSettingsThenOneSwitchPerListedMeasurement) {
  SettingsStore store(Catalogue());
  const Settings1& group = store.GetOrCreateGroup(0, -1, nullptr);
  ASSERT_EQ(group.Count(), 96u);
  EXPECT_EQ(group.GetChannel(), 0);
  EXPECT_EQ(NumberOf(group.At(0)->Id()), 1005);
  EXPECT_EQ(NumberOf(group.At(41)->Id()), 1032);
  for (uint32_t i = 0; i < 42; ++i) {
    const int id = NumberOf(group.At(i)->Id());
    EXPECT_TRUE(id >= 1000 && id <= 1041) << id;
  }
  // A switch applies exactly to the types that list its measurement.
  for (uint32_t i = 42; i < group.Count(); ++i) {
    const ZRSetting* column = group.At(i);
    EXPECT_EQ(column->Kind(), kSettingBool);
    EXPECT_EQ(column->Page(), 3);
    for (int type = 0; type < kAnalysisTypeCount; ++type) {
      EXPECT_EQ(column->AppliesTo(type), Catalogue()->IndexOfId(type, NumberOf(column->Id())) >= 0)
          << "column " << NumberOf(column->Id()) << " type " << type;
    }
  }
  for (int listedByNone : {6, 7, 8, 22, 51}) EXPECT_EQ(group.FindById(ColumnSwitchId(listedByNone)), nullptr);
  EXPECT_FALSE(static_cast<ZRSetting_Bool*>(group.FindById(ColumnSwitchId(1)))->Get());
  EXPECT_TRUE(static_cast<ZRSetting_Bool*>(group.FindById(ColumnSwitchId(52)))->Get());
}

TEST_F(SettingsStoreTest, DefaultsAreValidExceptTheDetectionSetWithoutAnObject) {
  SettingsStore store(Catalogue());
  const Settings1& group = store.GetOrCreateGroup(0, -1, nullptr);
  for (const SettingsGroup* g : {static_cast<const SettingsGroup*>(&store.Global()),
                                 static_cast<const SettingsGroup*>(&group)}) {
    for (uint32_t i = 0; i < g->Count(); ++i) {
      const ZRSetting* setting = g->At(i);
      EXPECT_EQ(setting->IsValid(), setting->Id() != kSettingDetectionSettings)
          << "setting " << NumberOf(setting->Id());
    }
  }
  for (int type : {1, 3, 4, 5}) EXPECT_TRUE(group.IsValid(type)) << type;
  for (int type : {0, 2}) EXPECT_FALSE(group.IsValid(type)) << type;
  EXPECT_TRUE(group.IsValid(6));
  EXPECT_TRUE(store.Global().IsValid(5));
}

TEST_F(SettingsStoreTest, ValuesKeptOnlyForOlderFilesAreInvalid) {
  SettingsStore store(Catalogue());
  store.GetOrCreateGroup(0, -1, nullptr);
  const struct {
    int id;
    const wchar_t* text;
    int type;
  } cases[] = {
      {2000, L"6", 0},  // names no analysis type
      {1039, L"3", 1},  // baseline mode past what the calculations take
      {1037, L"3", 3},  // tau mode likewise
      {1032, L"0.05", 1},
      {1011, L"45", 1},
  };
  for (const auto& c : cases) {
    ZRSetting* setting = store.FindSetting(SettingIdOf(c.id));
    ASSERT_NE(setting, nullptr) << c.id;
    const QOR::String before = setting->ToText(true);
    setting->FromText(c.text, true);
    EXPECT_EQ(Text(setting->ToText(true)), c.text) << "kept as read: " << c.id;
    const SettingsGroup& group =
        c.id >= 2000 ? static_cast<const SettingsGroup&>(store.Global()) : store.Group(0);
    EXPECT_FALSE(group.IsValid(c.type)) << c.id << " = " << c.text;
    setting->FromText(before, true);
    EXPECT_TRUE(group.IsValid(c.type)) << c.id;
  }
  // Stimulus method 5 is a valid choice that selects no detector; the analysis reports that.
  store.FindSetting(kSettingStimulusMethod)->FromText(L"5", true);
  EXPECT_TRUE(store.Group(0).IsValid(3));
}

TEST_F(SettingsStoreTest, TypedGettersCheckTheClassAndFollowTheCurrentChannel) {
  SettingsStore store(Catalogue());
  store.GetOrCreateGroup(2, -1, nullptr);
  EXPECT_EQ(store.GetDoubleSetting(kSettingStimulusPosition), nullptr);  // channel 0 has no group
  store.SetLongValue(kSettingAnalysisChannel, 2);
  EXPECT_EQ(store.GetCurrentChannel(), 2);
  EXPECT_EQ(store.CurrentGroupIndex(), 0);
  ASSERT_NE(store.GetDoubleSetting(kSettingStimulusPosition), nullptr);
  EXPECT_EQ(store.GetDoubleSetting(kSettingStimulusPosition)->Get(), 50.0);
  EXPECT_EQ(store.GetIntSetting(kSettingStimulusPosition), nullptr);
  EXPECT_NE(store.GetIntSetting(kSettingTriangulationStart), nullptr);  // an Int10 is an int setting too
  EXPECT_NE(store.GetInt10Setting(kSettingTriangulationStart), nullptr);
  EXPECT_EQ(store.GetInt10Setting(kSettingMidPlateauPercent), nullptr);
  EXPECT_NE(store.GetBoolSetting(kSettingShowPeakMarkers), nullptr);
  EXPECT_EQ(store.GetBoolSetting(SettingIdOf(2999)), nullptr);
  EXPECT_EQ(store.GetLongValue(kSettingStimulusPosition), 0);  // not a long setting
}

TEST_F(SettingsStoreTest, AssignmentCopiesValuesAndGroupsInOrder) {
  SettingsStore source(Catalogue());
  source.SetLongValue(kSettingAnalysisChannel, 3);
  source.GetOrCreateGroup(3, -1, nullptr);
  source.GetOrCreateGroup(1, -1, nullptr);
  source.GetDoubleSetting(kSettingStimulusPosition)->Set(1234567.0);  // group 3: more than six digits
  source.GetInt10Setting(kSettingTriangulationStart)->Set(45);
  source.GetDoubleSetting(kSettingAxisXLow)->Set(0.1234567);
  SettingsStore target(Catalogue());
  target.GetOrCreateGroup(7, -1, nullptr);
  target = source;
  ASSERT_EQ(target.GroupCount(), 2u);
  EXPECT_EQ(target.Group(0).GetChannel(), 3);
  EXPECT_EQ(target.Group(1).GetChannel(), 1);
  for (uint32_t i = 0; i < 2; ++i) EXPECT_EQ(GroupText(target.Group(i)), GroupText(source.Group(i)));
  EXPECT_EQ(GroupText(target.Global()), GroupText(source.Global()));
  EXPECT_EQ(target.GetDoubleSetting(kSettingStimulusPosition)->Get(), 1234567.0);
  EXPECT_EQ(target.GetDoubleSetting(kSettingAxisXLow)->Get(), 0.1234567);
  const SettingsStore copy(source);
  EXPECT_EQ(copy.GroupCount(), 2u);
  EXPECT_EQ(GroupText(copy.Group(0)), GroupText(source.Group(0)));
  EXPECT_EQ(copy.GetCatalogue(), Catalogue());
}

TEST_F(SettingsStoreTest, AssigningAStoreToItselfKeepsItsGroups) {
  SettingsStore store(Catalogue());
  store.GetOrCreateGroup(0, -1, nullptr);
  store.GetDoubleSetting(kSettingStimulusPosition)->Set(75.0);
  SettingsStore& same = store;
  store = same;
  ASSERT_EQ(store.GroupCount(), 1u);
  EXPECT_EQ(store.GetDoubleSetting(kSettingStimulusPosition)->Get(), 75.0);
}

TEST_F(SettingsStoreTest, ANewGroupCanStartFromAnotherChannelsValues) {
  SettingsStore store(Catalogue());
  store.GetOrCreateGroup(0, -1, nullptr);
  store.GetDoubleSetting(kSettingMinPeakHeight)->Set(0.25);
  Settings1& copied = store.GetOrCreateGroup(4, 0, nullptr);
  EXPECT_EQ(static_cast<ZRSettingDouble*>(copied.FindById(kSettingMinPeakHeight))->Get(), 0.25);
  Settings1& fresh = store.GetOrCreateGroup(5, 9, nullptr);  // no group 9: defaults
  EXPECT_EQ(static_cast<ZRSettingDouble*>(fresh.FindById(kSettingMinPeakHeight))->Get(), 0.03);
  EXPECT_EQ(&store.GetOrCreateGroup(4, 5, nullptr), &copied);  // existing groups stay as they are
  EXPECT_EQ(store.GroupCount(), 3u);
}

TEST_F(SettingsStoreTest, UpgradeTakesTauModeFromItsOlderSwitch) {
  Settings1 group(Catalogue());
  auto* old = static_cast<ZRSetting_Bool*>(group.FindById(kSettingTauFitOld));
  auto* mode = static_cast<ZRSettingInt*>(group.FindById(kSettingTauMode));
  old->Set(false);
  group.Upgrade();
  EXPECT_EQ(mode->Get(), 0);
  old->Set(true);
  group.Upgrade();
  EXPECT_EQ(mode->Get(), 1);
}

// The functions that make an id from a column's or a plot series' number make none for a number
// outside their range, where a setting of another kind has the id (1006 the minimum peak height).
TEST(SettingsStore, ColumnAndSeriesIdsStayInTheirRanges) {
  static_assert(ColumnSwitchId(0) == SettingIdOf(0) && ColumnSwitchId(58) == SettingIdOf(58));
  static_assert(PlotSeriesSetting(1) == kSettingFirstPlotSeries && PlotSeriesSetting(10) == SettingIdOf(2022));
  for (const int32_t number : {-2, 1000, 1006, 2000}) EXPECT_EQ(-1, NumberOf(ColumnSwitchId(number))) << number;
  for (const int32_t n : {0, 11, -5, 1006}) EXPECT_EQ(-1, NumberOf(PlotSeriesSetting(n))) << n;
}

TEST(SettingsStore, GroupsWithoutACatalogueHaveSwitchesForNoType) {
  SettingsStore store(nullptr);
  const Settings1& group = store.GetOrCreateGroup(0, -1, nullptr);
  EXPECT_EQ(group.Count(), 96u);
  EXPECT_EQ(group.FindById(ColumnSwitchId(0))->TypeMask(), 0);
}

}  // namespace
