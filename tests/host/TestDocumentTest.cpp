// The stand-in's test documents: a signal formula read as a channel, the sampling sink's order
// and sources, and where calculations may be attached.
#include "host/common/HostString.h"
#include "host/data/DataDocument.h"
#include "host/formula/FormulaEnumClass.h"
#include "tests/host/FakeEnumClass.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/DataObjects.h"
#include "hostapi/DataSampling.h"
#include "hostapi/HostCalculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace host {
namespace {

// A data source whose channels are "c * 10 + tick" at the channel's own period.
class CountingSource final : public HostObject<IScrivoDataSource> {
 public:
  explicit CountingSource(HostPtr<ICalcEnumClass2> formulas) : mFormulas(std::move(formulas)) {}
  HRESULT STDMETHODCALLTYPE Reserved3(int32_t, int32_t, void*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Open(int32_t, int32_t channel, ISampleSource** source) noexcept override {
    *source = nullptr;
    HostPtr<ICalcEnum> calc;
    mFormulas->CreateEnum(nullptr, calc.Out());
    calc->LoadSettings(MakeHostString(std::to_wstring(channel * 10) + L" + t * 1000").Get(), nullptr);
    calc->SetSources(0, 0, nullptr, nullptr, 0.001, 0);
    return calc->QueryInterface(IID_ISampleSource, reinterpret_cast<void**>(source));
  }
  HRESULT STDMETHODCALLTYPE Reserved5(int32_t, int32_t, int32_t, void*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetLengthEntry(int64_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetLength(int64_t*) noexcept override { return E_NOTIMPL; }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IScrivoDataSource) return static_cast<IScrivoDataSource*>(this);
    return nullptr;
  }
  HostPtr<ICalcEnumClass2> mFormulas;
};

class TestDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mFormulas = CreateFormulaEnumClass(0x00070000, [] { return std::vector<HostPtr<IUnknown>>(); });
    mDocument = DataDocument::Create(Recording());
    mSink = HostPtr<DataDocument>(mDocument).As<IScrivoDataSink>(IID_IScrivoDataSink);
    ASSERT_TRUE(mSink);
  }
  void Declare(int32_t channel, bool on = true) {
    const HostRational64 period{1, 1000};
    ASSERT_EQ(S_OK, mSink->DeclareChannel(channel, on ? 1 : 0, on ? VARIANT_TRUE : VARIANT_FALSE, nullptr, period,
                                          &period, kDeclareChannelSampled, nullptr));
  }
  std::vector<float> Samples(int32_t channel, int32_t record = 0) {
    const RecordData& data = mDocument->Data().records[static_cast<size_t>(record)];
    const float* values = data.samples[static_cast<size_t>(channel)]->Samples();
    return std::vector<float>(values, values + data.samples[static_cast<size_t>(channel)]->Length());
  }

  HostPtr<ICalcEnumClass2> mFormulas;
  HostPtr<DataDocument> mDocument;
  HostPtr<IScrivoDataSink> mSink;
};

}  // namespace

TEST_F(TestDocumentTest, SignalFormulaReadsAsAChannelOfSamples) {
  HostPtr<ICalcEnum> calc;
  ASSERT_EQ(S_OK, mFormulas->CreateEnum(nullptr, calc.Out()));
  ASSERT_EQ(S_OK, calc->LoadSettings(MakeHostString(L"sin(t)").Get(), nullptr));
  HostPtr<ISampleSource> samples = calc.As<ISampleSource>(IID_ISampleSource);
  ASSERT_TRUE(samples);
  float values[3] = {};
  int32_t read = 0;
  EXPECT_EQ(E_UNEXPECTED, samples->Read(3, values, &read));  // no period yet
  ASSERT_EQ(S_OK, calc->SetSources(0, 0, nullptr, nullptr, 0.5, 0));
  ASSERT_EQ(S_OK, calc->SetStartTick(2));
  ASSERT_EQ(S_OK, samples->Read(3, values, &read));
  ASSERT_EQ(3, read);
  for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(static_cast<float>(std::sin(0.5 * (2 + i))), values[i]);
  int32_t tick = 0;
  EXPECT_EQ(E_UNEXPECTED, calc.As<IEnumEventEx>(IID_IEnumEventEx)->GetPosition(&tick));  // a signal has no events
  // A value that is not a finite float reads nothing.
  ASSERT_EQ(S_OK, calc->LoadSettings(MakeHostString(L"1/t").Get(), nullptr));
  ASSERT_EQ(S_OK, calc->SetSources(0, 0, nullptr, nullptr, 0.5, 0));
  samples = calc.As<ISampleSource>(IID_ISampleSource);
  EXPECT_EQ(E_FAIL, samples->Read(2, values, &read));
  EXPECT_EQ(0, read);
}

TEST_F(TestDocumentTest, SinkRecordsEachDeclaredChannelInOrderOfCalls) {
  HostPtr<IScrivoDataSource> source;
  source.Attach(new CountingSource(mFormulas));
  EXPECT_EQ(E_UNEXPECTED, mSink->NewData(5));
  Declare(0);
  Declare(1, false);
  VARIANT_BOOL may = VARIANT_FALSE;
  ASSERT_EQ(S_OK, mSink->MaySamplingStart(nullptr, &may));
  EXPECT_EQ(VARIANT_TRUE, may);
  ASSERT_EQ(S_OK, mSink->StartSampling(0));
  EXPECT_EQ(E_POINTER, mSink->StartRecord(0, nullptr, 0.001, 0.0, 0.0, 0, 0, 0, VARIANT_TRUE));
  ASSERT_EQ(S_OK, mSink->StartRecord(0, source.Get(), 0.001, 0.0, 0.0, 0, 0, 0, VARIANT_TRUE));
  EXPECT_EQ(E_UNEXPECTED, mSink->DeclareChannel(2, 1, VARIANT_TRUE, nullptr, HostRational64{1, 1}, nullptr, 0,
                                                source.Get()));
  ASSERT_EQ(S_OK, mSink->NewData(2));
  ASSERT_EQ(S_OK, mSink->NewData(1));
  DataPosition end{-5, -5};
  HostPtr<IHostRecordData> recordData = HostPtr<DataDocument>(mDocument).As<IHostRecordData>(IID_IHostRecordData);
  ASSERT_EQ(S_OK, recordData->GetEndPosition(0, &end));
  EXPECT_EQ(0, end.mRecord);
  EXPECT_EQ(3, end.mRecordOffset);
  int32_t ticks = 0;
  ASSERT_EQ(S_OK, mSink->EndRecord(0, &ticks));
  EXPECT_EQ(3, ticks);
  ASSERT_EQ(S_OK, mSink->StopSampling(VARIANT_TRUE));
  EXPECT_EQ((std::vector<float>{0.0f, 1.0f, 2.0f}), Samples(0));
  EXPECT_EQ((std::vector<float>{0.0f, 0.0f, 0.0f}), Samples(1));  // switched off
}

TEST_F(TestDocumentTest, ADataObjectsEnumeratorFormulaReadsAsACalculatedChannel) {
  auto log = std::make_shared<testing::EnumLog>();
  const std::vector<HostPtr<IUnknown>> classes = testing::MakeFakeClasses(log);
  mDocument->SetFormulaClass(CreateFormulaEnumClass(0x00070000, [classes] { return classes; }).Get());
  HostPtr<IScrivoDataSource> source;
  source.Attach(new CountingSource(mFormulas));
  Declare(0);
  ASSERT_EQ(S_OK, mSink->StartSampling(0));
  ASSERT_EQ(S_OK, mSink->StartRecord(0, source.Get(), 0.001, 0.0, 0.0, 0, 0, 0, VARIANT_TRUE));
  ASSERT_EQ(S_OK, mSink->NewData(3));
  ASSERT_EQ(S_OK, mSink->StopSampling(VARIANT_TRUE));
  for (const wchar_t* formula : {L"capPEAK(ch1, 0.3)", L"2*t"}) {
    DataObjectId object{kNewDataObject, kDataObjectRequestKind};
    QOR::IQORString* name = nullptr;
    ASSERT_EQ(S_OK, mDocument->Objects().NewObject(0, 0, 0, &name, &object));
    name->Release();
    ASSERT_EQ(S_OK, mDocument->Objects().SetFormula(object.id, object.kind, formula, L""));
  }
  const uint32_t calculated = kChannelRequestCalculated | kChannelRequestSource;
  // "vch1": the events of object 0 over the recording of channel 0, which "ch1" still shows.
  HostPtr<IUnknown> events;
  ASSERT_EQ(S_OK, mDocument->GetChannelSource(0, calculated, 0, 0, 0x7FFFFFFF, events.Out()));
  EXPECT_TRUE(events.As<IEnumEventEx>(IID_IEnumEventEx));
  HostPtr<IUnknown> samples;
  ASSERT_EQ(S_OK, mDocument->GetChannelSource(0, kChannelRequestDisplayed, 0, 0, 0x7FFFFFFF, samples.Out()));
  EXPECT_TRUE(samples.As<ISampleSource>(IID_ISampleSource));
  // Object 1 holds a signal, object 2 does not exist: neither is a calculated channel.
  HostPtr<IUnknown> none;
  EXPECT_EQ(E_INVALIDARG, mDocument->GetChannelSource(1, calculated, 0, 0, 0x7FFFFFFF, none.Out()));
  EXPECT_EQ(E_INVALIDARG, mDocument->GetChannelSource(2, calculated, 0, 0, 0x7FFFFFFF, none.Out()));
  // A channel a formula computes cannot also be sampled.
  mDocument->AddCalculatedChannel(L"Twice", L"", L"2*t");
  EXPECT_EQ(E_UNEXPECTED, mDocument->EnsureRecordedChannel(1, L"V"));
}

}  // namespace host
