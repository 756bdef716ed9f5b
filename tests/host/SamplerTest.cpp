// Sampling into a data document: the order of the online sinks' calls and the growing record.
#include "host/data/Sampler.h"

#include "host/common/HostObject.h"
#include "hostapi/CalcEnum.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace host {
namespace {

class RecordingSink final : public HostObject<IOnlineDataSink> {
 public:
  RecordingSink(std::string name, std::vector<std::string>* log) : mName(std::move(name)), mLog(log) {}
  HRESULT STDMETHODCALLTYPE GetSinkInfo(uint32_t*, uint16_t*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnSamplingStart() noexcept override { return Log("start"); }
  HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t r) noexcept override { return Log("record " + std::to_string(r)); }
  HRESULT STDMETHODCALLTYPE OnNewData(int32_t r, int32_t n) noexcept override {
    return Log("data " + std::to_string(r) + " " + std::to_string(n));
  }
  HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t r, int32_t n) noexcept override {
    return Log("end " + std::to_string(r) + " " + std::to_string(n));
  }
  HRESULT STDMETHODCALLTYPE OnSamplingStop() noexcept override { return Log("stop"); }
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(int32_t*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUpdatePercent(int32_t*) noexcept override { return S_OK; }
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int) noexcept override { return this; }

 private:
  HRESULT Log(const std::string& what) {
    mLog->push_back(mName + " " + what);
    return mName == "b" ? E_FAIL : S_OK;  // a failing sink must not stop the others
  }
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IOnlineDataSink) return static_cast<IOnlineDataSink*>(this);
    return nullptr;
  }
  std::string mName;
  std::vector<std::string>* mLog;
};

TEST(Sampler, SinksHearSamplingInOrder) {
  Recording empty;
  empty.channels.push_back({L"V", L"mV", L""});
  empty.channels.push_back({L"Twice", L"", L"2 * t"});
  HostPtr<DataDocument> document = DataDocument::Create(std::move(empty));
  std::vector<std::string> log;
  HostPtr<IOnlineDataSink> a, b;
  a.Attach(new RecordingSink("a", &log));
  b.Attach(new RecordingSink("b", &log));
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
  HostPtr<IOnlineDataSink> a;
  a.Attach(new RecordingSink("a", &log));
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

}  // namespace
}  // namespace host
