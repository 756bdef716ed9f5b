// Tests of the detection-settings setting: its host object, pending text, copies and channel.
#include "document/ZRSetting_PXDetSet.h"

#include "document/SettingsStore.h"
#include "host/data/HostDocument.h"
#include "hostclient/ComPtr.h"
#include "tests/document/DocumentTestHost.h"
#include "tests/document/FakePeriodix.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ZR::Doc;
using doctest::FakeDetectionSettings;
using doctest::FakeHostDataDocument;

class DetectionSettingTest : public doctest::DocumentTest {
 protected:
  void TearDown() override { EXPECT_EQ(mHost->Release(), 0u); }

  IUnknown* Host() { return static_cast<IHostChildDocumentList*>(mHost); }
  FakeDetectionSettings* ObjectOf(const ZRSetting_PXDetSet& setting) {
    return static_cast<FakeDetectionSettings*>(setting.GetObject());
  }

  FakeHostDataDocument* mHost = new FakeHostDataDocument;
};

TEST_F(DetectionSettingTest, WithoutAnObjectKeepsItsTextPendingAndIsInvalid) {
  ZRSetting_PXDetSet setting(kSettingDetectionSettings, 1, 5);
  EXPECT_FALSE(setting.IsValid());
  setting.FromText(L"px 1 4", true);
  EXPECT_STREQ(setting.ToText(true).GetText(), L"px 1 4");
  setting.ResetToDefault();
  setting.SetChannel(3);
  EXPECT_STREQ(setting.ToText(true).GetText(), L"px 1 4");
  setting.AttachDetectionObject(nullptr);
  EXPECT_EQ(setting.GetObject(), nullptr);
}

TEST_F(DetectionSettingTest, AnAttachedObjectLoadsThePendingTextAndAnswersForItself) {
  ZRSetting_PXDetSet setting(kSettingDetectionSettings, 1, 5);
  setting.FromText(L"px 0 2", true);
  setting.AttachDetectionObject(Host());
  FakeDetectionSettings* object = ObjectOf(setting);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->loads, 1);
  EXPECT_TRUE(setting.GetPendingText().IsEmpty());
  EXPECT_FALSE(setting.IsValid());  // the loaded text says invalid
  setting.FromText(L"px 1 2", true);
  EXPECT_TRUE(setting.IsValid());
  setting.FromText(L"garbage", true);  // refused: the object keeps its settings
  EXPECT_STREQ(setting.ToText(true).GetText(), L"px 1 2");
  setting.SetChannel(6);
  EXPECT_EQ(object->channel, 6.0);
  setting.AttachDetectionObject(Host());  // already has one
  EXPECT_EQ(mHost->service->created, 1);
}

TEST_F(DetectionSettingTest, CopiesCloneTheObjectOrFallBackToText) {
  ZRSetting_PXDetSet source(kSettingDetectionSettings, 1, 5);
  source.AttachDetectionObject(Host());
  source.SetChannel(2);
  ZRSetting_PXDetSet target(kSettingDetectionSettings, 1, 5);
  ASSERT_TRUE(target.CopyFrom(source));
  ASSERT_NE(target.GetObject(), nullptr);
  EXPECT_NE(target.GetObject(), source.GetObject());
  EXPECT_EQ(ObjectOf(target)->channel, 2.0);
  ZRSetting_PXDetSet empty(kSettingDetectionSettings, 1, 5);
  EXPECT_FALSE(target.CopyFrom(empty));  // drops its object; the caller copies the text
  EXPECT_EQ(target.GetObject(), nullptr);
}

TEST_F(DetectionSettingTest, StoreGroupsMadeWithAHostHoldAnObjectToldTheirChannel) {
  SettingsStore store(nullptr);
  store.SetLongValue(kSettingAnalysisChannel, 1);
  store.GetOrCreateGroup(1, -1, Host());
  ASSERT_NE(store.GetDetectionSettingsObject(), nullptr);
  EXPECT_EQ(static_cast<FakeDetectionSettings*>(store.GetDetectionSettingsObject())->channel, 1.0);
  EXPECT_TRUE(store.Group(0).IsValid(0));
  Settings1& copied = store.GetOrCreateGroup(3, 1, nullptr);  // a clone, told channel 3
  const auto& setting = static_cast<const ZRSetting_PXDetSet&>(*copied.FindById(kSettingDetectionSettings));
  ASSERT_NE(setting.GetObject(), nullptr);
  EXPECT_EQ(ObjectOf(setting)->channel, 3.0);
  // An assigned store has no host: its groups get clones, never the same object.
  SettingsStore copy(store);
  EXPECT_NE(copy.GetDetectionSettingsObject(), nullptr);
  EXPECT_NE(copy.GetDetectionSettingsObject(), store.GetDetectionSettingsObject());
}

// The stand-in host's data file keeps the cycle extension; its host document, which lists only modules'
// documents, stands for a host without it.
TEST_F(DetectionSettingTest, TheHostsExtensionGivesAnObjectAndAHostWithoutItNone) {
  auto file = doctest::MakeDataFile();
  ZRSetting_PXDetSet setting(kSettingDetectionSettings, 1, 5);
  setting.AttachDetectionObject(doctest::AsFile(file.Get()));
  ASSERT_NE(setting.GetObject(), nullptr);
  EXPECT_TRUE(setting.IsValid());
  auto hostDocument = host::HostDocument::Create(file);
  ZRSetting_PXDetSet without(kSettingDetectionSettings, 1, 5);
  without.AttachDetectionObject(static_cast<IHostDocument*>(hostDocument.Get()));
  EXPECT_EQ(without.GetObject(), nullptr);
}

}  // namespace
