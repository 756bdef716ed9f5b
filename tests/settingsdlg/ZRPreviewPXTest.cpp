// The unstimulated detector pages' preview over the stand-in's document, whose detector reads
// the channel itself: what it binds, when a refused source leaves the detection unbound, and
// the second axis's default.
#include "settingsdlg/ZRPreview_PX.h"

#include "document/ParamCatalogue.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting.h"
#include "drawing/GraticuleDrawer.h"
#include "drawing/PreviewDataWin.h"
#include "host/app/HostFramework.h"
#include "host/data/DataDocument.h"
#include "host/framework/HostDragScale.h"
#include "tests/document/FakePeriodix.h"
#include "tests/settingsdlg/PreviewTestPage.h"
#include "tests/support/HostDataFile.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using previewtest::Page;

class ZRPreviewPXTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework());
    ZR::Doc::BuildParamCatalogue(sCatalogue);
  }
  static void TearDownTestSuite() { sCatalogue.reset(); }

  void SetUp() override {
    document = testsupport::MakeDataDocument({3000}, 0.001);
    page.Create();
    store = std::make_unique<ZR::Doc::SettingsStore>(sCatalogue.get());
    store->GetOrCreateGroup(0, -1, File());
    int32_t made[2] = {-1, -1};
    previewtest::MakeMarkerObjects(*document.Get(), *store, made);
    sourceId = made[0];
    eventId = made[1];
  }
  IUnknown* File() const { return static_cast<IHostDataFile*>(document.Get()); }
  std::unique_ptr<ZR::ZRPreview_PX> MakePreview() {
    auto preview = std::make_unique<ZR::ZRPreview_PX>(nullptr, File(), &page, store.get());
    preview->Window()->SetPageRect(RECT{10, 10, 490, 250});
    return preview;
  }
  const host::DataObject& Object(int32_t id) { return *document->Objects().Find(id, kMarkerObjectKind); }

  static std::unique_ptr<ZR::Doc::ParamCatalogue> sCatalogue;
  host::HostPtr<host::DataDocument> document;
  std::unique_ptr<ZR::Doc::SettingsStore> store;
  int32_t sourceId = -1;
  int32_t eventId = -1;
  Page page;
  ScriptedModalSeam seam;
};

std::unique_ptr<ZR::Doc::ParamCatalogue> ZRPreviewPXTest::sCatalogue;

}  // namespace

TEST_F(ZRPreviewPXTest, ADetectorOnTheChannelBindsItAndTheDetectionWithoutADerivedTrace) {
  ASSERT_NE(nullptr, store->GetDetectionSettingsObject()) << "the stand-in's data file makes one";
  auto preview = MakePreview();
  preview->Update(store.get());
  EXPECT_EQ(L"ch1", preview->Key().sourceText);
  EXPECT_EQ(L"ch1", Object(sourceId).formula);
  EXPECT_EQ(L"V", Object(sourceId).second);
  EXPECT_EQ(preview->Key().expression, Object(eventId).formula);
  EXPECT_EQ(0u, Object(eventId).formula.find(L"pcc( ch1, ")) << Object(eventId).formula;
  // Grid, source trace, event marks and null trace: no derived trace to draw.
  ScrivoDraw::PreviewDataWinWButtons& window = *preview->Window();
  ASSERT_EQ(4u, window.TraceCount());
  EXPECT_NE(nullptr, dynamic_cast<ScrivoDraw::GraticuleDrawer*>(window.TraceDrawer(0)));
  EXPECT_NE(nullptr, dynamic_cast<ScrivoDraw::CustomUnitsPolyLineTraceDrawer*>(window.TraceDrawer(1)));
  EXPECT_NE(nullptr, dynamic_cast<ZR::EventDrawer*>(window.TraceDrawer(2)));
  // Unchanged settings build the same key and leave the drawers.
  IScrivoRecordDrawer* const trace = window.TraceDrawer(1);
  EXPECT_FALSE(preview->BuildExpression(store.get()));
  preview->Update(store.get());
  EXPECT_EQ(trace, window.TraceDrawer(1));
}

TEST_F(ZRPreviewPXTest, ARefusedSourceCalculationLeavesTheDetectionUnbound) {
  store->SetLongValue(ZR::Doc::kSettingSourceObject, 99);  // no such object: the host refuses the source's calculation
  auto preview = MakePreview();
  preview->Update(store.get());
  EXPECT_TRUE(Object(eventId).formula.empty());
  EXPECT_EQ(4u, preview->Window()->TraceCount());  // the drawers show what there is
}

TEST_F(ZRPreviewPXTest, AxisTwoDefaultsToAxisOnesRangeAndAxisOneHasNoDefault) {
  auto preview = MakePreview();
  preview->Update(store.get());
  preview->SetAxisRange(0, ExtLib::AxisRange{-2.0, 3.0});
  preview->ResetScale(0, nullptr);  // no default: the axis stays
  double first = 0.0, second = 0.0;
  ASSERT_EQ(S_OK, preview->Window()->Lane(0)->GetAxisRange(1, &first, &second));
  EXPECT_DOUBLE_EQ(-2.0, first);
  EXPECT_DOUBLE_EQ(3.0, second);
  preview->ResetScale(1, nullptr);  // the detector's trace over the channel's range
  ASSERT_EQ(S_OK, preview->Window()->Lane(0)->GetAxisRange(2, &first, &second));
  EXPECT_DOUBLE_EQ(-2.0, first);
  EXPECT_DOUBLE_EQ(3.0, second);
}

TEST(PPPNUN, AsksTheDetectorForItsAxisUnitsOrSaysItDoesNotKnow) {
  ZR::PPPNUN none(0, nullptr);
  EXPECT_STREQ(L"?", none.Map(QOR::String(L"mV")).GetText());
  EXPECT_EQ(0x40000000u, none.Request());
}

// A detector that derives a trace of its own, its settings made by another data file's service.
TEST_F(ZRPreviewPXTest, ADerivedTraceIsDrawnInBlackOnAxisTwoInTheDetectorsUnits) {
  host::HostPtr<doctest::FakeHostDataDocument> periodix;
  periodix.Attach(new doctest::FakeHostDataDocument);
  store = std::make_unique<ZR::Doc::SettingsStore>(sCatalogue.get());
  store->GetOrCreateGroup(0, -1, periodix.Get());
  store->SetLongValue(ZR::Doc::kSettingSourceObject, sourceId);
  store->SetLongValue(ZR::Doc::kSettingDetectorObject, eventId);
  auto* const detection = static_cast<doctest::FakeDetectionSettings*>(store->GetDetectionSettingsObject());
  ASSERT_NE(nullptr, detection);
  detection->derived = true;

  auto preview = MakePreview();
  preview->Update(store.get());
  EXPECT_EQ(L"d(ch1)", preview->Key().sourceText);
  EXPECT_EQ(L"d(ch1)", Object(sourceId).formula);
  EXPECT_EQ(L"V/s", Object(sourceId).second);  // the derived trace's units
  EXPECT_EQ(L"V", Object(eventId).second);
  EXPECT_EQ(1, detection->refreshes);
  ScrivoDraw::PreviewDataWinWButtons& window = *preview->Window();
  ASSERT_EQ(5u, window.TraceCount());  // grid, source, derived trace, events, null trace
  auto* const derived = dynamic_cast<ScrivoDraw::CustomUnitsPolyLineTraceDrawer*>(window.TraceDrawer(2));
  ASSERT_NE(nullptr, derived);
  EXPECT_EQ(RGB(0, 0, 0), derived->Colour());
  auto* const axisTwo = dynamic_cast<host::HostDragScale*>(window.Lane(0)->AxisObject(2));
  ASSERT_NE(nullptr, axisTwo);
  EXPECT_EQ(RGB(0, 0, 0), axisTwo->OwnColour());  // black, whatever the system's text colour
  int32_t axis = 0;
  derived->GetSourceId(&axis);
  EXPECT_EQ(2, axis);
  ScrivoDraw::ChannelPair pair{0, 0};
  derived->GetChannelPair(&pair);
  EXPECT_EQ(sourceId, pair.channel);
  EXPECT_EQ(4u, pair.selector);
  // Axis 2's default: axis 1's range as the derived trace spans it.
  preview->SetAxisRange(0, ExtLib::AxisRange{-1.0, 2.0});
  preview->ResetScale(1, nullptr);
  double first = 0.0, second = 0.0;
  ASSERT_EQ(S_OK, window.Lane(0)->GetAxisRange(2, &first, &second));
  EXPECT_DOUBLE_EQ(-10.0, first);
  EXPECT_DOUBLE_EQ(20.0, second);
  ZR::PPPNUN units(0, detection);
  EXPECT_STREQ(L"mV/s", units.Map(QOR::String(L"mV")).GetText());
}
