// Sampling into a data document: the order of the online sinks' calls and the growing record.
#include "host/data/Sampler.h"

#include "host/common/HostObject.h"
#include "hostapi/CalcEnum.h"
#include "tests/support/NotingSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace host {
namespace {

// Sink "b" answers every notification with a failure, which must not stop the others.
HostPtr<IOnlineDataSink> RecordingSink(const std::string& name, std::vector<std::string>* log) {
  HostPtr<IOnlineDataSink> sink;
  sink.Attach(new testing_support::NotingSink(log, name + " ", name == "b" ? E_FAIL : S_OK));
  return sink;
}

TEST(Sampler, SinksHearSamplingInOrder) {
  Recording empty;
  empty.channels.push_back({L"V", L"mV", L""});
  empty.channels.push_back({L"Twice", L"", L"2 * t"});
  HostPtr<DataDocument> document = DataDocument::Create(std::move(empty));
  std::vector<std::string> log;
  const HostPtr<IOnlineDataSink> a = RecordingSink("a", &log);
  const HostPtr<IOnlineDataSink> b = RecordingSink("b", &log);
  ASSERT_EQ(document->RegisterSink(a.Get()), S_OK);
  ASSERT_EQ(document->RegisterSink(b.Get()), S_OK);
  EXPECT_EQ(document->RegisterSink(a.Get()), S_FALSE);

  Sampler sampler(document.Get());
  EXPECT_EQ(sampler.StartRecord(0.5), E_UNEXPECTED);
  ASSERT_EQ(sampler.Start(), S_OK);
  ASSERT_EQ(sampler.StartRecord(0.5), S_OK);
  EXPECT_EQ(sampler.Append({{1.0f, 2.0f, 3.0f}}), S_OK);
  EXPECT_EQ(sampler.Append({{1.0f}, {2.0f}}), E_INVALIDARG);
  EXPECT_FALSE(document->Data().records[0].samples[0]->IsComplete());
  ASSERT_EQ(document->UnregisterSink(b.Get()), S_OK);
  EXPECT_EQ(sampler.Append({{4.0f}}), S_OK);
  ASSERT_EQ(sampler.Stop(), S_OK);

  const std::vector<std::string> expected = {"a start", "b start",    "a record 0", "b record 0",
                                             "a data 0 3", "b data 0 3", "a data 0 4", "a end 0 4",
                                             "a stop"};
  EXPECT_EQ(log, expected);
  const RecordData& record = document->Data().records[0];
  EXPECT_EQ(record.length, 4);
  EXPECT_TRUE(record.samples[0]->IsComplete());
  // The signal channel is computed for every new tick: 2 * t at 0.5 s per tick.
  ASSERT_EQ(record.samples[1]->Length(), 4);
  EXPECT_FLOAT_EQ(record.samples[1]->Samples()[3], 3.0f);
}

// A block whose signal channel has no finite value is refused whole: every channel keeps the
// record's length and the sinks hear nothing of it. Channels of events get no samples.
TEST(Sampler, RefusedBlockLeavesEveryChannelAtTheRecordLength) {
  Recording empty;
  empty.channels.push_back({L"V", L"", L""});
  empty.channels.push_back({L"Pole", L"", L"1 / (t - 1)"});
  empty.channels.push_back({L"Peaks", L"", L"cappeakdet(ch1)"});
  empty.channels.push_back({L"I", L"", L""});
  HostPtr<DataDocument> document = DataDocument::Create(std::move(empty));
  std::vector<std::string> log;
  const HostPtr<IOnlineDataSink> a = RecordingSink("a", &log);
  ASSERT_EQ(document->RegisterSink(a.Get()), S_OK);
  Sampler sampler(document.Get());
  ASSERT_EQ(sampler.Start(), S_OK);
  ASSERT_EQ(sampler.StartRecord(0.5), S_OK);
  ASSERT_EQ(sampler.Append({{1.0f, 2.0f}, {3.0f, 4.0f}}), S_OK);
  EXPECT_EQ(sampler.Append({{5.0f, 6.0f}, {7.0f, 8.0f}}), E_FAIL);  // t = 1 at tick 2
  const RecordData& record = document->Data().records[0];
  EXPECT_EQ(record.length, 2);
  EXPECT_EQ(record.samples[0]->Length(), 2);
  EXPECT_EQ(record.samples[1]->Length(), 2);
  EXPECT_EQ(record.samples[2]->Length(), 0);
  EXPECT_EQ(record.samples[3]->Length(), 2);
  EXPECT_FLOAT_EQ(record.samples[1]->Samples()[1], -2.0f);
  EXPECT_EQ(log.back(), "a data 0 2");
}

TEST(Sampler, GrowingSourceWaitsThenEnds) {
  Recording empty;
  empty.channels.push_back({L"V", L"", L""});
  HostPtr<DataDocument> document = DataDocument::Create(std::move(empty));
  Sampler sampler(document.Get());
  sampler.Start();
  sampler.StartRecord(0.001);
  HostPtr<IUnknown> unknown;
  ASSERT_EQ(document->GetChannelSource(0, kChannelRequestDisplayed | kChannelRequestGrowing, 0, 0, kEnumRecordEnd,
                                       unknown.Out()),
            S_OK);
  HostPtr<ISampleSource> source = unknown.As<ISampleSource>(IID_ISampleSource);
  ASSERT_TRUE(source);
  float buffer[8];
  int32_t read = -1;
  EXPECT_EQ(source->Read(8, buffer, &read), S_OK);
  EXPECT_EQ(read, 0);
  sampler.Append({{5.0f, 6.0f}});
  EXPECT_EQ(source->Read(8, buffer, &read), S_OK);
  EXPECT_EQ(read, 2);
  sampler.Stop();
  EXPECT_EQ(source->Read(8, buffer, &read), S_FALSE);
}

// The online-data service's run over a finished recording: records in order, batches of the
// chosen size with the rest last, the signal channel computed, the sampled record reported only
// while it is written.
TEST(Sampler, SampleRecordingFeedsEachRecordInBatches) {
  Recording source;
  source.channels.push_back({L"V", L"", L""});
  source.channels.push_back({L"Twice", L"", L"2 * t"});
  for (const int32_t length : {5, 2}) {
    RecordData record = MakeEmptyRecord(2, 0.5, true);
    const std::vector<float> ramp = {0.0f, 1.0f, 2.0f, 3.0f, 4.0f};
    record.samples[0]->Append(ramp.data(), length);
    record.length = length;
    source.records.push_back(std::move(record));
  }
  Recording empty;
  empty.channels = source.channels;
  HostPtr<DataDocument> document = DataDocument::Create(std::move(empty));
  std::vector<std::string> log;
  const HostPtr<IOnlineDataSink> a = RecordingSink("a", &log);
  ASSERT_EQ(document->RegisterSink(a.Get()), S_OK);
  int32_t record = 0;
  EXPECT_EQ(E_UNEXPECTED, document->GetSampledRecord(&record));
  EXPECT_EQ(-1, record);
  EXPECT_EQ(E_INVALIDARG, SampleRecording(document.Get(), source, 0));

  ASSERT_EQ(S_OK, SampleRecording(document.Get(), source, 2));
  const std::vector<std::string> expected = {"a start",    "a record 0", "a data 0 2", "a data 0 4", "a data 0 5",
                                             "a end 0 5",  "a record 1", "a data 1 2", "a end 1 2",  "a stop"};
  EXPECT_EQ(expected, log);
  ASSERT_EQ(2u, document->Data().records.size());
  const RecordData& first = document->Data().records[0];
  EXPECT_FLOAT_EQ(4.0f, first.samples[0]->Samples()[4]);
  EXPECT_FLOAT_EQ(4.0f, first.samples[1]->Samples()[4]) << "2 * t at 0.5 s per tick";
  EXPECT_EQ(E_UNEXPECTED, document->GetSampledRecord(&record));

  Sampler sampler(document.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  ASSERT_EQ(S_OK, sampler.StartRecord(0.5, VARIANT_FALSE));
  EXPECT_EQ(S_OK, document->GetSampledRecord(&record));
  EXPECT_EQ(2, record);
  EXPECT_EQ("a record 2 unsampled", log.back());
  ASSERT_EQ(S_OK, sampler.Stop());
}

}  // namespace
}  // namespace host
