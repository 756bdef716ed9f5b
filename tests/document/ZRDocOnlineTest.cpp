// Analysis while sampling: the document's online sink fed by the stand-in host's sampling in
// uneven batches must find exactly the events of the finished recording's offline analysis, and
// the views follow the newest event.
#include "document/ZRDoc.h"

#include "document/TableViewData.h"
#include "grid/ITableViewManager.h"
#include "host/data/RecordingReader.h"
#include "tests/document/SamplingDocumentTest.h"
#include "tests/grid/TableViewMgrTestSupport.h"
#include "tests/support/BatteryRecordings.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <sstream>
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

// Every batch size from 1 to 64 ticks, then a spread to 2000: sizes whose multiples fall on round ticks (10 to
// 200, 500, 1000, 2000), powers of two and sizes that share no factor with them.
std::vector<int32_t> BatchSizes() {
  std::vector<int32_t> sizes;
  for (int32_t size = 1; size <= 64; ++size) sizes.push_back(size);
  for (const int32_t size : {77, 99, 100, 128, 173, 200, 256, 333, 500, 512, 777, 1000, 1024, 1499, 1999, 2000})
    sizes.push_back(size);
  return sizes;
}

// Where the online events first differ from the offline ones; empty when they are the same, byte for byte.
std::string FirstDifference(const std::vector<std::string>& offline, const std::vector<std::string>& online) {
  for (size_t n = 0; n < offline.size() && n < online.size(); ++n)
    if (offline[n] != online[n]) return "event " + std::to_string(n) + " differs";
  if (offline.size() == online.size()) return {};
  return std::to_string(online.size()) + " events online, " + std::to_string(offline.size()) + " offline";
}

// A recording analysed offline and then while sampled, at some batch sizes; texts keeps the strings that the
// settings point to.
struct SampledCase {
  std::string name;
  host::Recording recording;
  doctest::Settings settings;
  std::vector<int32_t> sizes;
  std::vector<std::wstring> texts;
};

// Real spontaneous currents (data/ and tests/data/recordings/) with a relative and an absolute threshold, fed in
// every batch size: one of them peaks on the sample before the pair that starts its cycle.
std::vector<SampledCase> RealCurrents() {
  std::vector<SampledCase> cases;
  for (const char* file : {"tests/data/recordings/synaptic_late.csv", "data/synaptic_currents.csv"}) {
    for (const wchar_t* detection : {L"1 0 -1 0.5 5 10 50 1 0 0", L"1 0 -1 0.5 5e-12 10 50 0 0 0"}) {
      SampledCase c{std::string(file) + " " + std::string(detection, detection + std::wcslen(detection)),
                    host::ReadRecordingFile(testsupport::SourcePath(file), {}), {}, BatchSizes(), {detection}};
      c.settings = {{2000, L"2"}, {1010, c.texts[0].c_str()}};
      cases.push_back(std::move(c));
    }
  }
  return cases;
}

// The ground-truth battery's recording, analysed as its line says: its type, then its detection text (types 0
// and 2) or its list of ID=VALUE.
SampledCase BatteryCase(const testsupport::battery::Recording& r, std::vector<int32_t> sizes) {
  namespace battery = testsupport::battery;
  const std::wstring file =
      battery::WriteRecording(r.head[6], std::atof(r.head[3].c_str()), battery::Synthesise(r, battery::Polarity(r)));
  SampledCase c{r.head[0], host::ReadRecordingFile(std::string(file.begin(), file.end()), {}), {}, std::move(sizes),
                {std::wstring(r.head[1].begin(), r.head[1].end())}};
  DeleteFileW(file.c_str());
  std::vector<int32_t> ids{2000};
  if (r.head[1] == "0" || r.head[1] == "2") {
    ids.push_back(1010);
    c.texts.emplace_back(r.head[2].begin(), r.head[2].end());
  } else {
    std::istringstream list(r.head[2]);
    for (std::string setting; list >> setting;) {
      ids.push_back(std::atoi(setting.c_str()));
      c.texts.emplace_back(setting.begin() + static_cast<std::ptrdiff_t>(setting.find('=') + 1), setting.end());
    }
  }
  for (size_t k = 0; k < ids.size(); ++k) c.settings.emplace_back(ids[k], c.texts[k].c_str());
  return c;
}

// Online equals offline, byte for byte, at every batch size: on real currents at each size from the list, and on
// the battery's recordings of every type at three sizes each, taken in turn so that every size is fed.
TEST_F(ZRDocOnlineTest, EveryBatchSizeGivesTheOfflineEvents) {
  const std::vector<testsupport::battery::Recording> battery = testsupport::battery::ReadReference();
  ASSERT_GT(battery.size(), 100u) << "tests/data/cycle_events_truth.txt not read";
  const std::vector<int32_t> sizes = BatchSizes();
  size_t events = 0;
  const auto check = [&](const SampledCase& c) {
    const std::vector<std::string> offline = Offline(c.recording, c.settings);
    events += offline.size();
    for (const int32_t batch : c.sizes)
      EXPECT_EQ("", FirstDifference(offline, Online(c.recording, batch, c.settings)))
          << c.name << ", batches of " << batch;
  };
  for (const SampledCase& c : RealCurrents()) check(c);
  for (size_t k = 0; k < battery.size(); ++k)
    check(BatteryCase(battery[k], {sizes[k % sizes.size()], sizes[(k + 64) % sizes.size()],
                                   sizes[(k + 37) % sizes.size()]}));
  EXPECT_GT(events, 1500u) << "events analysed";
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
