// The current event and the host's notifications about changed data, marker objects and channel
// data, delivered to the document as the host's observer events.
#include "document/ZRDoc.h"

#include "host/app/HostProgress.h"
#include "hostclient/DocViewIds.h"
#include "tests/document/SamplingDocumentTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using doctest::SamplingView;
using ZR::Doc::ZRDoc;

// The host's notifications about changed data, marker objects and channel data.
class ZRDocNotificationTest : public doctest::SamplingDocumentTest {
 protected:
  ZRDoc& Analysed() {
    ZRDoc& doc = OpenRecording(doctest::CardiacRecording(2, 5000), {});
    EXPECT_TRUE(doc.RunAnalysis(false, true));
    doc.SetCurrentEvent(5, 0);
    return doc;
  }
  void Notify(uint32_t id, std::vector<uint32_t> words) {
    words.resize(4);
    EXPECT_EQ(S_OK, static_cast<IObserver*>(mDoc.Get())->Notify(0, id, 0, words.data()));
  }
  std::vector<int32_t> DetectorMarkerChannels() {
    const host::DataObject* object = mData->Objects().Find(
        static_cast<int32_t>(mDoc->GetSettings().GetLongValue(ZR::Doc::kSettingDetectorObject)), kMarkerObjectKind);
    return object ? object->channels : std::vector<int32_t>{-1};
  }
};

TEST_F(ZRDocNotificationTest, DataChangesClearOnlyUpToTheRegionEndOrInAnOpenRegion) {
  ZRDoc& doc = Analysed();
  const uint32_t changed = DocIds::RegionAtDataEndEvent14::Id();
  Notify(changed, {5001, 1});
  Notify(changed, {0, 2});
  EXPECT_EQ(8, doc.GetCycleDetector()->EventCount()) << "after the region's end (1, 5000)";
  Notify(changed, {5000, 1});
  EXPECT_EQ(0, doc.GetCycleDetector()->EventCount());
  EXPECT_EQ(0u, doc.CurrentEvent());
  EXPECT_FALSE(doc.HasAnalysis());

  ASSERT_TRUE(doc.RunAnalysis(false, true));
  ASSERT_EQ(S_OK, mDoc->SetSettingText(2009, L"t"));  // continues the analysis with an open end
  ASSERT_EQ(-1, doc.GetSettings().GetLongValue(ZR::Doc::kSettingRegionEndRecord));
  ASSERT_EQ(8, doc.GetCycleDetector()->EventCount());
  Notify(changed, {0, 7});
  EXPECT_EQ(0, doc.GetCycleDetector()->EventCount()) << "an open region reaches every position";
  EXPECT_EQ(-1, doc.GetSettings().GetLongValue(ZR::Doc::kSettingRegionEndRecord))
      << "analysis while sampling opened again";
  EXPECT_EQ(2, doc.GetSettings().GetLongValue(ZR::Doc::kSettingRegionStartRecord))
      << "at the record sampling writes next";
}

TEST_F(ZRDocNotificationTest, MarkerNoticesDetachAndChannelDataClearsOnlyTheAnalysisChannel) {
  ZRDoc& doc = Analysed();
  ASSERT_EQ((std::vector<int32_t>{0}), DetectorMarkerChannels());
  Notify(DocIds::MarkersDetachedEvent::Id(), {});
  EXPECT_EQ((std::vector<int32_t>{}), DetectorMarkerChannels());
  EXPECT_EQ(8, doc.GetCycleDetector()->EventCount());

  ASSERT_TRUE(doc.RunAnalysis(false, true));
  Notify(DocIds::RegionAtDataEndEvent16::Id(), {9000, 1});
  EXPECT_EQ((std::vector<int32_t>{}), DetectorMarkerChannels()) << "detached after the region too";
  EXPECT_EQ(8, doc.GetCycleDetector()->EventCount());

  for (const uint32_t id : {DocIds::ChannelChangedEvent20::Id(), DocIds::ChannelChangedEvent22::Id()}) {
    ASSERT_TRUE(doc.RunAnalysis(false, true));
    doc.SetCurrentEvent(3, 0);
    Notify(id, {1});
    EXPECT_EQ(8, doc.GetCycleDetector()->EventCount()) << "another channel";
    Notify(id, {0});
    EXPECT_EQ(0, doc.GetCycleDetector()->EventCount());
    EXPECT_EQ(0u, doc.CurrentEvent());
  }
}

// A changed channel matters when the analysis channel is it or is calculated from it: the
// stored region is analysed again, or, while the host samples, the results are cleared.
TEST_F(ZRDocNotificationTest, ChannelChangesReanalyseOnlyWhenTheAnalysisChannelFollows) {
  ZRDoc& doc = Analysed();
  ASSERT_EQ(1, mData->AddCalculatedChannel(L"Peaks", L"", L"cappeakdet(ch1)"));
  std::vector<std::string> log;
  SamplingView table(1, log);
  doc.AttachView(&table);
  const size_t runs = host::Progress().titles.size();
  Notify(DocIds::RecordsReanalyseEvent::Id(), {1, 0xC0000000u});
  Notify(DocIds::RecordsChangedEvent::Id(), {0, 0, 1});
  EXPECT_EQ(runs, host::Progress().titles.size()) << "the analysis channel does not read channel 2";
  log.clear();
  Notify(DocIds::RecordsChangedEvent::Id(), {0, 0, 0});
  EXPECT_EQ(runs + 1, host::Progress().titles.size());
  EXPECT_EQ(8, doc.GetCycleDetector()->EventCount());
  EXPECT_EQ("refresh 1", log.back()) << "the Table View follows the channel's settings";
  Notify(DocIds::RecordsReanalyseEvent::Id(), {0, 0xC0000000u});
  EXPECT_EQ(runs + 2, host::Progress().titles.size());
  IOnlineDataSink* const sink = &doc;
  sink->OnSamplingStart();
  Notify(DocIds::RecordsReanalyseEvent::Id(), {0, 0xC0000000u});
  EXPECT_EQ(0, doc.GetCycleDetector()->EventCount()) << "cleared while the host samples";
  sink->OnSamplingStop();
  doc.DetachView(&table);
}

TEST_F(ZRDocNotificationTest, CurrentEventSelectsTheRowAndMovesTheHostViewOnlyWithinTheEvents) {
  ZRDoc& doc = Analysed();
  std::vector<std::string> log;
  SamplingView analysis(0, log);
  SamplingView table(1, log);
  doc.AttachView(&analysis);
  doc.AttachView(&table);
  log.clear();
  const host::ViewCursor& cursor = mHost->RecordingViewCursor();
  doc.SetCurrentEvent(5, ZR::Doc::kSelectTableRow | ZR::Doc::kMoveHostView);
  EXPECT_EQ((std::vector<std::string>{"refresh 0", "select 5"}), log);
  const ZR::Doc::CycleEvent& event = doc.GetCycleDetector()->GetEvent(5);
  ASSERT_EQ(1, event.recordIndex);
  ASSERT_EQ(1u, cursor.Moves().size());
  EXPECT_DOUBLE_EQ(5.0 + event.record.tick * 0.001, cursor.Moves()[0].seconds) << "after the 5 s of record 0";
  EXPECT_EQ(1, cursor.Moves()[0].show);

  log.clear();
  doc.SetCurrentEvent(8, 0xF0000000u);
  EXPECT_EQ((std::vector<std::string>{"refresh 0", "select 8"}), log);
  EXPECT_EQ(8u, doc.CurrentEvent());
  doc.SetCurrentEvent(2, 0);
  EXPECT_EQ(1u, cursor.Moves().size()) << "past the last event and without the flag nothing moves";
  doc.DetachView(&analysis);
  doc.DetachView(&table);
}

}  // namespace
