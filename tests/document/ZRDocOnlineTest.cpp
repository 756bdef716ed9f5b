// Analysis while sampling: the document's online sink fed by the stand-in host's sampling in
// uneven batches must find exactly the events of the finished recording's offline analysis, and
// the views follow the newest event.
#include "document/ZRDoc.h"

#include "document/CycleDetector.h"
#include "document/SettingsStore.h"
#include "enumerators/framework/EnumeratorClassList.h"
#include "host/data/HostDocument.h"
#include "host/data/RecordingReader.h"
#include "host/data/Sampler.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/view/CustomDocuments.h"
#include "hostclient/ClassRegistration.h"
#include "hostclient/FrameworkAccess.h"
#include "tests/document/DocumentTestHost.h"
#include "tests/support/CardiacSignal.h"
#include "views/ZRViewBase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using host::HostPtr;
using ZR::Doc::ZRDoc;

// A view that notes its refreshes and the rows it is asked to select.
class NotingView final : public ZRViewBase {
 public:
  NotingView(int slot, std::vector<std::string>& log)
      : ZRViewBase(nullptr, nullptr, nullptr, nullptr, nullptr), mSlot(slot), mLog(log) {}
  int DocumentSlot() const noexcept override { return mSlot; }
  void Refresh() override { mLog.push_back("refresh " + std::to_string(mSlot)); }
  void SelectEventRow(uint32_t event) override { mLog.push_back("select " + std::to_string(event)); }

 private:
  int mSlot;
  std::vector<std::string>& mLog;
};

// One event as bytes: the whole measurement record, its record and its index in the record.
std::string EventBytes(const ZR::Doc::CycleEvent& event) {
  std::string bytes(reinterpret_cast<const char*>(&event.record), sizeof(event.record));
  bytes.append(reinterpret_cast<const char*>(&event.recordIndex), sizeof(int32_t));
  bytes.append(reinterpret_cast<const char*>(&event.indexInRecord), sizeof(int32_t));
  return bytes;
}

host::Recording CardiacRecording(int32_t records, int32_t ticks) {
  host::Recording recording;
  recording.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
  const std::vector<float> signal = testsupport::CardiacSignal(ticks, 1000.0);
  for (int32_t r = 0; r < records; ++r) {
    host::RecordData record = host::MakeEmptyRecord(1, 0.001, true);
    record.samples[0]->Append(signal.data(), ticks);
    record.length = ticks;
    recording.records.push_back(std::move(record));
  }
  return recording;
}

class ZRDocOnlineTest : public doctest::DocumentTest {
 protected:
  static void SetUpTestSuite() {
    doctest::DocumentTest::SetUpTestSuite();
    IClassRegistry* const registry = ObjectFactoryAccessor::Get();
    CalcEnums::RegisterEnumeratorClasses(registry);
    ASSERT_EQ(S_OK, host::RegisterFormulaEnumClass(registry, GetTypeRegistry()));
    RegisterNewClassObject(registry, ZR::Doc::NewDocumentClass());
  }
  void TearDown() override {
    if (mHost) mHost->CloseChildDocuments();
  }

  // The document over recording with the given settings; without any, the Cardiac Action
  // Potential type, no width filter and peaks at least 10 ms wide.
  ZRDoc& Open(host::Recording recording, std::vector<std::pair<int32_t, const wchar_t*>> settings) {
    if (mHost) mHost->CloseChildDocuments();
    mData = host::DataDocument::Create(std::move(recording));
    mHost = host::HostDocument::Create(mData);
    HostPtr<ICustomDocument2> document;
    EXPECT_EQ(S_OK, host::OpenCustomDocument(*mHost.Get(), L"Ondara Document", 0, document));
    mDoc.Attach(ZRDoc::FromHostDocument(static_cast<IHostDocument*>(mHost.Get())));
    if (settings.empty() || settings[0].first == 2009) settings.insert(settings.begin(), {{2000, L"1"}, {1036, L"f"}, {1001, L"10"}});
    for (const auto& [id, text] : settings) EXPECT_EQ(S_OK, mDoc->SetSettingText(id, text)) << id;
    return *mDoc.Get();
  }
  // Every event of the document's detector as bytes.
  std::vector<std::string> Events() {
    std::vector<std::string> events;
    const ZR::Doc::CycleDetector* detector = mDoc->GetCycleDetector();
    for (int32_t n = 0; n < detector->EventCount(); ++n) events.push_back(EventBytes(detector->GetEvent(n)));
    return events;
  }
  std::vector<std::string> Offline(const host::Recording& recording, const std::vector<std::pair<int32_t, const wchar_t*>>& extra) {
    ZRDoc& doc = Open(recording, extra);
    EXPECT_TRUE(doc.RunAnalysis(false, true));
    return Events();
  }
  // The recording sampled into an empty data file of its channels, the document analysing.
  ZRDoc& OpenEmptyOnline(const host::Recording& recording, const std::vector<std::pair<int32_t, const wchar_t*>>& extra = {}) {
    host::Recording empty;
    empty.channels = recording.channels;
    std::vector<std::pair<int32_t, const wchar_t*>> settings = extra;
    settings.emplace_back(2009, L"t");
    return Open(std::move(empty), settings);
  }
  std::vector<std::string> Online(const host::Recording& recording, int32_t batch,
                                  const std::vector<std::pair<int32_t, const wchar_t*>>& extra) {
    OpenEmptyOnline(recording, extra);
    EXPECT_EQ(S_OK, host::SampleRecording(mData.Get(), recording, batch));
    return Events();
  }

  HostPtr<host::DataDocument> mData;
  HostPtr<host::HostDocument> mHost;
  HostPtr<ZRDoc> mDoc;
};

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
  const host::Recording recording = CardiacRecording(3, 5000);
  const std::vector<std::string> offline = Offline(recording, {});
  ASSERT_EQ(12u, offline.size());
  ExpectSameEvents(offline, Online(recording, GetParam().batch, {}));
  EXPECT_EQ((std::vector<long>{0, 0, -1, -1}),
            (std::vector<long>{mDoc->GetSettings().GetLongValue(2005), mDoc->GetSettings().GetLongValue(2006),
                               mDoc->GetSettings().GetLongValue(2007), mDoc->GetSettings().GetLongValue(2008)}));
}

TEST_P(ZRDocOnlineBatches, NeuronStepsGiveTheOfflineEventsByteForByte) {
  const host::Recording recording =
      host::ReadRecordingFile("Z:\\work\\shared\\data\\neuron_steps_17o05028.csv", host::RecordingReadOptions());
  const std::vector<std::pair<int32_t, const wchar_t*>> settings{{2000, L"5"}};  // Action Potential
  const std::vector<std::string> offline = Offline(recording, settings);
  ASSERT_EQ(22u, offline.size());
  ExpectSameEvents(offline, Online(recording, GetParam().batch, settings));
}

INSTANTIATE_TEST_SUITE_P(Batches, ZRDocOnlineBatches,
                         testing::Values(OnlineCase{"One", 1}, OnlineCase{"ThirtySeven", 37}, OnlineCase{"Large", 4096}),
                         [](const testing::TestParamInfo<OnlineCase>& info) { return std::string(info.param.name); });

TEST_F(ZRDocOnlineTest, ViewsFollowOnlyTheLastEventAndOnlyWhenEventsCome) {
  const host::Recording recording = CardiacRecording(1, 5000);
  ZRDoc& doc = OpenEmptyOnline(recording);
  std::vector<std::string> log;
  NotingView analysis(0, log);
  NotingView table(1, log);
  doc.AttachView(&analysis);
  doc.AttachView(&table);
  host::Sampler sampler(mData.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  ASSERT_EQ(S_OK, sampler.StartRecord(0.001));
  const float* samples = recording.records[0].samples[0]->Samples();
  log.clear();
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(samples, samples + 10)}));
  EXPECT_TRUE(log.empty()) << "a batch without events refreshes nothing";
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(samples + 10, samples + 2500)}));
  const int32_t first = doc.GetCycleDetector()->EventCount();
  ASSERT_GT(first, 0);
  EXPECT_EQ((std::vector<std::string>{"refresh 1", "refresh 0"}), log) << "Table View first";
  EXPECT_EQ(0u, doc.CurrentEvent()) << "the first event stays current";
  doc.SetCurrentEvent(static_cast<uint32_t>(first - 1), ZR::Doc::kSelectTableRow);
  ASSERT_EQ(S_OK, sampler.Append({std::vector<float>(samples + 2500, samples + 5000)}));
  EXPECT_EQ(static_cast<uint32_t>(first), doc.CurrentEvent()) << "steps from the last event to the first new one";
  doc.SetCurrentEvent(0, 0);
  ASSERT_EQ(S_OK, sampler.EndRecord());
  ASSERT_EQ(S_OK, sampler.Stop());
  EXPECT_EQ(0u, doc.CurrentEvent()) << "an earlier event is left alone";
  doc.DetachView(&analysis);
  doc.DetachView(&table);
}

TEST_F(ZRDocOnlineTest, UnsampledRecordsAreSkippedAndARecordStartWithoutARecordFails) {
  const host::Recording recording = CardiacRecording(1, 5000);
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
  EXPECT_EQ(1, doc.GetSettings().GetLongValue(2005)) << "the region starts at the sampled record";
  EXPECT_EQ(1, doc.GetCycleDetector()->GetEvent(0).recordIndex);
}

}  // namespace
