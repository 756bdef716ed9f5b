// Analysis while sampling: the document's online sink fed by the stand-in host's sampling in
// uneven batches must find exactly the events of the finished recording's offline analysis, and
// the views follow the newest event.
#include "document/ZRDoc.h"

#include "document/TableViewData.h"
#include "grid/ITableViewManager.h"
#include "host/data/RecordingReader.h"
#include "tests/document/SamplingDocumentTest.h"
#include "tests/grid/TableViewMgrTestSupport.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using doctest::SamplingView;
using host::HostPtr;
using ZR::Doc::ZRDoc;
using ZRDocOnlineTest = doctest::SamplingDocumentTest;

struct OnlineCase {
  const char* name;
  int32_t batch;
};

class ZRDocOnlineBatches : public ZRDocOnlineTest, public testing::WithParamInterface<OnlineCase> {};

void ExpectSameEvents(const std::vector<std::string>& offline, const std::vector<std::string>& online) {
  ASSERT_EQ(offline.size(), online.size());
  for (size_t n = 0; n < offline.size(); ++n) EXPECT_EQ(offline[n], online[n]) << "event " << n;
}

TEST_P(ZRDocOnlineBatches, CardiacSignalGivesTheOfflineEventsByteForByte) {
  const host::Recording recording = doctest::CardiacRecording(3, 5000);
  const std::vector<std::string> offline = Offline(recording, {});
  ASSERT_EQ(12u, offline.size());
  ExpectSameEvents(offline, Online(recording, GetParam().batch, {}));
  EXPECT_EQ((std::vector<long>{0, 0, -1, -1}), Region()) << "open from the first sampled record";
}

TEST_P(ZRDocOnlineBatches, NeuronStepsGiveTheOfflineEventsByteForByte) {
  const host::Recording recording =
      host::ReadRecordingFile(testsupport::SourcePath("data/neuron_steps.csv"), host::RecordingReadOptions());
  const doctest::Settings settings{{2000, L"5"}};  // Action Potential
  const std::vector<std::string> offline = Offline(recording, settings);
  ASSERT_EQ(11u, offline.size());
  ExpectSameEvents(offline, Online(recording, GetParam().batch, settings));
}

INSTANTIATE_TEST_SUITE_P(Batches, ZRDocOnlineBatches,
                         testing::Values(OnlineCase{"One", 1}, OnlineCase{"ThirtySeven", 37}, OnlineCase{"Large", 4096}),
                         [](const testing::TestParamInfo<OnlineCase>& info) { return std::string(info.param.name); });

TEST_F(ZRDocOnlineTest, ViewsFollowOnlyTheLastEventAndOnlyWhenEventsCome) {
  const host::Recording recording = doctest::CardiacRecording(1, 5000);
  ZRDoc& doc = OpenEmptyOnline(recording);
  std::vector<std::string> log;
  SamplingView analysis(0, log);
  SamplingView table(1, log);
  doc.AttachView(&analysis);
  doc.AttachView(&table);
  // The table-view manager's window notes the rows it is asked to show.
  gridtest::FakeWindowFactory windows;
  ComPtr<ITableViewManager> manager;
  ASSERT_EQ(S_OK, doc.GetTableViewManager(manager.Out()));
  ZR::TableViewData* const data = doc.GetTableViewData();
  ASSERT_EQ(S_OK, manager->CreateView(0, GetDesktopWindow(), nullptr, nullptr, data, data, nullptr, 0));
  ASSERT_EQ(S_OK, manager->SetShowLatestRow(0, VARIANT_TRUE));  // as the user's snap button sets it
  host::Sampler sampler(mData.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  ASSERT_EQ(S_OK, sampler.StartRecord(0.001));
  const float* samples = recording.records[0].samples[0]->Samples();
  log.clear();
  windows.log.calls.clear();
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(samples, samples + 10)}));
  EXPECT_TRUE(log.empty()) << "a batch without events refreshes nothing";
  EXPECT_TRUE(windows.log.calls.empty()) << "and shows no row";
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(samples + 10, samples + 2500)}));
  const int32_t first = doc.GetCycleDetector()->EventCount();
  ASSERT_GT(first, 0);
  EXPECT_EQ((std::vector<std::string>{"refresh 1", "refresh 0"}), log) << "Table View first";
  EXPECT_EQ((std::vector<std::string>{"show -1"}), windows.log.calls) << "the latest row";
  EXPECT_EQ(0u, doc.CurrentEvent()) << "the first event stays current";
  doc.SetCurrentEvent(static_cast<uint32_t>(first - 1), ZR::Doc::kSelectTableRow);
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(samples + 2500, samples + 5000)}));
  EXPECT_EQ(static_cast<uint32_t>(first), doc.CurrentEvent()) << "steps from the last event to the first new one";
  doc.SetCurrentEvent(0, 0);
  ASSERT_EQ(S_OK, sampler.EndRecord());
  ASSERT_EQ(S_OK, sampler.Stop());
  EXPECT_EQ(0u, doc.CurrentEvent()) << "an earlier event is left alone";
  manager->DestroyView(0);
  doc.DetachView(&analysis);
  doc.DetachView(&table);
}

TEST_F(ZRDocOnlineTest, UnsampledRecordsAreSkippedAndARecordStartWithoutARecordFails) {
  const host::Recording recording = doctest::CardiacRecording(1, 5000);
  ZRDoc& doc = OpenEmptyOnline(recording);
  IOnlineDataSink* const sink = &doc;
  EXPECT_EQ(E_FAIL, sink->OnRecordStart(0, VARIANT_TRUE)) << "the data file samples no record";
  host::Sampler sampler(mData.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  ASSERT_EQ(S_OK, sampler.StartRecord(0.001, VARIANT_FALSE));
  const float* samples = recording.records[0].samples[0]->Samples();
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(samples, samples + 5000)}));
  ASSERT_EQ(S_OK, sampler.EndRecord());
  EXPECT_EQ(0, doc.GetCycleDetector()->EventCount());
  EXPECT_FALSE(doc.HasAnalysis()) << "no region starts in an unsampled record";
  ASSERT_EQ(S_OK, sampler.StartRecord(0.001));
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(samples, samples + 5000)}));
  ASSERT_EQ(S_OK, sampler.Stop());
  EXPECT_EQ(4, doc.GetCycleDetector()->EventCount());
  EXPECT_EQ(1, doc.GetSettings().GetLongValue(ZR::Doc::kSettingRegionStartRecord))
      << "the region starts at the sampled record";
  EXPECT_EQ(1, doc.GetCycleDetector()->GetEvent(0).recordIndex);
}

// The sink's slots 13 and 14, called through the table as the host calls them.
TEST_F(ZRDocOnlineTest, LastSinkSlotsAnswerTheHostsValues) {
  const host::Recording recording = doctest::CardiacRecording(1, 100);
  IOnlineDataSink* const sink = &OpenEmptyOnline(recording);
  using Slot = HRESULT(STDMETHODCALLTYPE*)(IOnlineDataSink*, int32_t*);
  void* const* const table = *reinterpret_cast<void* const* const*>(sink);
  int32_t value = 0;
  EXPECT_EQ(S_OK, reinterpret_cast<Slot>(table[13])(sink, &value));
  EXPECT_EQ(200, value);
  EXPECT_EQ(S_OK, reinterpret_cast<Slot>(table[14])(sink, &value));
  EXPECT_EQ(0x80000000u, static_cast<uint32_t>(value));
}

}  // namespace
