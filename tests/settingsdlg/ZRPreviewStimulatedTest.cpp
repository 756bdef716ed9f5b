// The stimulated detector pages' preview over the stand-in's document: what it binds in the
// host, the drawers it stacks and when it rebuilds them.
#include "settingsdlg/ZRPreview_Stimulated.h"

#include "document/ParamCatalogue.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting.h"
#include "drawing/GraticuleDrawer.h"
#include "drawing/PreviewDataWin.h"
#include "host/app/HostFramework.h"
#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"
#include "host/framework/HostDragScale.h"
#include "platform/uihelpers/ColourPalettes.h"
#include "tests/settingsdlg/PreviewTestPage.h"
#include "tests/support/HostDataFile.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using ScrivoDraw::ChannelPair;

using previewtest::Page;

// What one drawer of the preview says of itself, in the order the drawers were added.
struct DrawerFacts {
  int32_t sourceId;
  ChannelPair channel;
  IScrivoRecordDrawer* drawer;
};

class ZRPreviewStimulatedTest : public ::testing::Test {
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
    store->GetOrCreateGroup(0, -1, nullptr);
    Set(2000, L"3");  // evoked response
    Set(1000, L"2");  // stimulus method: the response-peak wrap applies
  }
  void Set(int32_t id, const wchar_t* value) {
    ZR::Doc::ZRSetting* const setting = store->FindSetting(ZR::Doc::SettingIdOf(id));
    ASSERT_NE(nullptr, setting) << id;
    setting->FromText(QOR::String(value), true);
  }
  // Two marker objects named by settings 2023 and 2024; the source object already holds the
  // channel, as a document does after its first analysis.
  void MakeMarkers() {
    int32_t made[2] = {-1, -1};
    previewtest::MakeMarkerObjects(*document.Get(), *store, made);
    sourceId = made[0];
    eventId = made[1];
    ASSERT_EQ(S_OK, document->Objects().SetFormula(sourceId, kMarkerObjectKind, L"Ch1", L"V"));
  }
  IUnknown* File() const { return static_cast<IHostDataFile*>(document.Get()); }
  std::unique_ptr<ZR::ZRPreview_Stimulated> MakePreview(IUnknown* file) {
    auto preview = std::make_unique<ZR::ZRPreview_Stimulated>(nullptr, file, &page, store.get());
    preview->Window()->SetPageRect(RECT{10, 10, 490, 250});
    return preview;
  }
  static std::vector<DrawerFacts> Drawers(const ZR::ZRPreview_Stimulated& preview) {
    std::vector<DrawerFacts> facts;
    ScrivoDraw::PreviewDataWinWButtons* const window = preview.Window();
    for (uint32_t i = 0; i < window->TraceCount(); ++i) {
      DrawerFacts fact{-1, {0, 0}, window->TraceDrawer(i)};
      fact.drawer->GetSourceId(&fact.sourceId);
      fact.drawer->GetChannelPair(&fact.channel);
      facts.push_back(fact);
    }
    return facts;
  }

  static std::unique_ptr<ZR::Doc::ParamCatalogue> sCatalogue;
  host::HostPtr<host::DataDocument> document;
  std::unique_ptr<ZR::Doc::SettingsStore> store;
  int32_t sourceId = -1;
  int32_t eventId = -1;
  Page page;
  ScriptedModalSeam seam;
};

std::unique_ptr<ZR::Doc::ParamCatalogue> ZRPreviewStimulatedTest::sCatalogue;

}  // namespace

TEST_F(ZRPreviewStimulatedTest, BindsBothMarkersAndStacksGridTraceEventsAndNullTrace) {
  MakeMarkers();
  auto preview = MakePreview(File());
  preview->Update(store.get());

  EXPECT_EQ(L"Ch1", preview->Key().sourceText);
  const host::DataObject* const source = document->Objects().Find(sourceId, kMarkerObjectKind);
  const host::DataObject* const events = document->Objects().Find(eventId, kMarkerObjectKind);
  ASSERT_TRUE(source && events);
  EXPECT_EQ(L"Ch1", source->formula);
  EXPECT_EQ(L"V", source->second);
  EXPECT_EQ(preview->Key().expression, events->formula);
  EXPECT_EQ(0u, events->formula.find(L"erpeakdet( Ch1, ")) << events->formula;
  EXPECT_EQ(L"V", events->second);

  std::vector<DrawerFacts> drawers = Drawers(*preview);
  ASSERT_EQ(4u, drawers.size());
  EXPECT_NE(nullptr, dynamic_cast<ScrivoDraw::GraticuleDrawer*>(drawers[0].drawer));
  EXPECT_EQ(0u, static_cast<ScrivoDraw::GraticuleDrawer*>(drawers[0].drawer)->Options());  // grid on
  auto* const trace = dynamic_cast<ScrivoDraw::CustomUnitsPolyLineTraceDrawer*>(drawers[1].drawer);
  ASSERT_NE(nullptr, trace);
  EXPECT_EQ(0, drawers[1].channel.channel);
  EXPECT_EQ(0x40000000u, drawers[1].channel.selector);
  EXPECT_EQ(ZR::ZRPreviewBase::kNoDocumentTraceColour, trace->Colour());  // no host document
  EXPECT_NE(nullptr, dynamic_cast<ZR::EventDrawer*>(drawers[2].drawer));
  EXPECT_NE(nullptr, dynamic_cast<ScrivoDraw::NullTraceDrawer*>(drawers[3].drawer));
  for (size_t i = 2; i < 4; ++i) {
    EXPECT_EQ(eventId, drawers[i].channel.channel) << i;
    EXPECT_EQ(4u, drawers[i].channel.selector) << i;
  }

  // The same settings again: not one drawer replaced.
  preview->Update(store.get());
  std::vector<DrawerFacts> again = Drawers(*preview);
  ASSERT_EQ(drawers.size(), again.size());
  for (size_t i = 0; i < again.size(); ++i) EXPECT_EQ(drawers[i].drawer, again[i].drawer) << i;

  // A detector parameter changed: the detection is written again and everything rebuilt.
  const std::wstring before = events->formula;
  Set(1009, L"f");
  preview->Update(store.get());
  EXPECT_NE(before, document->Objects().Find(eventId, kMarkerObjectKind)->formula);
  std::vector<DrawerFacts> rebuilt = Drawers(*preview);
  ASSERT_EQ(4u, rebuilt.size());
  EXPECT_NE(drawers[1].drawer, rebuilt[1].drawer);
  EXPECT_EQ(4u, preview->Window()->TraceCount());
}

TEST_F(ZRPreviewStimulatedTest, WithoutMarkerObjectsOrStoreOrUnitsItShowsLess) {
  // No settings store: nothing is drawn.
  auto preview = MakePreview(File());
  preview->Update(nullptr);
  EXPECT_FALSE(preview->Key().valid);
  EXPECT_EQ(0u, preview->Window()->TraceCount());

  // No data to reach marker objects or units through: the grid and the event drawers only,
  // and those on a pair that names no channel.
  auto bare = MakePreview(nullptr);
  bare->Update(store.get());
  EXPECT_TRUE(bare->Key().valid);
  std::vector<DrawerFacts> drawers = Drawers(*bare);
  ASSERT_EQ(3u, drawers.size());
  EXPECT_NE(nullptr, dynamic_cast<ScrivoDraw::GraticuleDrawer*>(drawers[0].drawer));
  EXPECT_NE(nullptr, dynamic_cast<ZR::EventDrawer*>(drawers[1].drawer));
  for (size_t i = 1; i < 3; ++i) {
    EXPECT_EQ(ZR::ZRPreviewBase::kNoMarker.channel, drawers[i].channel.channel) << i;
    EXPECT_EQ(ZR::ZRPreviewBase::kNoMarker.selector, drawers[i].channel.selector) << i;
  }
}

TEST_F(ZRPreviewStimulatedTest, TheHostDocumentsGridOptionAndChannelColourAreUsed) {
  MakeMarkers();
  host::HostPtr<host::HostDocument> hostDocument = host::HostDocument::Create(document);
  hostDocument->Display().Options().gridOn = false;
  hostDocument->Display().Options().gridColourIndex = 3;
  hostDocument->Display().SetChannelColour(0, RGB(10, 20, 30));
  ZR::ZRPreview_Stimulated preview(static_cast<IHostDocument*>(hostDocument.Get()), File(), &page, store.get());
  preview.Window()->SetPageRect(RECT{10, 10, 490, 250});
  EXPECT_FALSE(preview.GridOptionOn());
  preview.Update(store.get());
  std::vector<DrawerFacts> drawers = Drawers(preview);
  ASSERT_EQ(4u, drawers.size());
  auto* const grid = dynamic_cast<ScrivoDraw::GraticuleDrawer*>(drawers[0].drawer);
  ASSERT_NE(nullptr, grid);
  EXPECT_EQ(0xC0000000u, grid->Options());  // the grid option off
  // The stand-in application gives no colours by index: the module's palette does.
  EXPECT_EQ(QOR::GetPaletteColour(3), grid->GridColour());
  auto* const trace = dynamic_cast<ScrivoDraw::CustomUnitsPolyLineTraceDrawer*>(drawers[1].drawer);
  ASSERT_NE(nullptr, trace);
  EXPECT_EQ(RGB(10, 20, 30), trace->Colour());
  // Axis 1 is drawn in the trace's colour.
  auto* const axis = dynamic_cast<host::HostDragScale*>(preview.Window()->Lane(0)->AxisObject(1));
  ASSERT_NE(nullptr, axis);
  EXPECT_EQ(RGB(10, 20, 30), axis->OwnColour());
  EXPECT_EQ(16, preview.CountLimit());  // every count of the document is smaller
}
