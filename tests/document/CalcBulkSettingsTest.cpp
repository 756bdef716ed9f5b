// CalcBulk reading the analysis run's values from the data file's child data, and the host's time
// base of the analysed channel that sets its smoothing window.
#include "enumerators/calcbulk/CalcBulk.h"

#include "document/ScrivoDataChildData.h"
#include "enumerators/calcbulk/HostSmoothing.h"
#include "hostapi/RecordData.h"
#include "hostclient/ComPtr.h"
#include "tests/document/DocumentTestHost.h"

#include <gtest/gtest.h>

namespace {

using ZR::Doc::ScrivoDataChildData;
namespace Bulk = ZR::Enum::CalcBulk;

class CalcBulkSettingsTest : public doctest::DocumentTest {};

// A data file whose record data answers a fixed time base and notes what it was asked.
class RecordDataFile final : public IHostRecordData {
 public:
  explicit RecordDataFile(TimeBase answer, HRESULT result = S_OK) : mAnswer(answer), mResult(result) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IHostRecordData) return E_NOINTERFACE;
    *out = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  HRESULT STDMETHODCALLTYPE GetEndPosition(int32_t, DataPosition*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRecordValue(int32_t, int32_t*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryChannel(uint32_t, int32_t, int32_t, IUnknown**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreatePointReader(uint32_t, int32_t, IUnknown*, const PointReaderArea*, uint32_t,
                                              IPointReader**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetUnits(uint32_t, int32_t, int32_t, QOR::IQORString**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetValidity(uint32_t, int32_t, int32_t, VARIANT_BOOL*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetUnitsObject(uint32_t, int32_t, int32_t, IChannelUnits**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateEventReader(uint32_t, uint32_t, int32_t, int32_t, int32_t, int32_t,
                                              IUnknown**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE RequestData(uint32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                                        void*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetChannelTimeBase(int32_t, int32_t record, int32_t channel,
                                               TimeBase* timeBase) noexcept override {
    askedRecord = record;
    askedChannel = channel;
    presetNumerator = timeBase->numerator;
    if (SUCCEEDED(mResult)) *timeBase = mAnswer;
    return mResult;
  }

  int32_t askedRecord = -1;
  int32_t askedChannel = -1;
  int64_t presetNumerator = 0;

 private:
  TimeBase mAnswer;
  HRESULT mResult;
};

TEST_F(CalcBulkSettingsTest, PreparationReadsTheValuesTheRunStored) {
  auto file = doctest::MakeDataFile();
  ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(doctest::AsFile(file.Get()));
  ASSERT_NE(nullptr, child);
  child->SetValues(3, static_cast<int32_t>(0x80000000u));

  Bulk::Params params;
  EXPECT_EQ(static_cast<int32_t>(0x80000000u), params.settings.first);
  EXPECT_EQ(static_cast<int32_t>(0xC0000000u), params.settings.second);
  // The enumerator keeps whichever interface of the file the host handed it.
  params.dataDocument = static_cast<IHostDataDocument*>(file.Get());
  params.tickPeriod = 0.001;
  params.AddSources(0, nullptr);
  EXPECT_EQ(3, params.settings.first);
  EXPECT_EQ(static_cast<int32_t>(0x80000000u), params.settings.second);
  EXPECT_EQ(5, params.smoothing.n);
}

TEST_F(CalcBulkSettingsTest, PreparationKeepsTheValuesWhenTheFileHasNoChildData) {
  auto file = doctest::MakeDataFile();
  Bulk::Params params;
  params.settings = ZR::SettingsValues{4, 5};
  params.dataDocument = doctest::AsFile(file.Get());
  params.tickPeriod = 0.001;
  params.AddSources(0, nullptr);
  EXPECT_EQ(4, params.settings.first);
  EXPECT_EQ(5, params.settings.second);
  QOR::ComPtr<IScrivoDataChildData> kept;
  EXPECT_EQ(S_FALSE, file->FindChildData(0, ZR::ChildDataTypeId(), kept.Out())) << "nothing was made";
}

TEST_F(CalcBulkSettingsTest, StepAsksTheHostAboutTheAnalysedChannelOfTheRecord) {
  RecordDataFile file(TimeBase{1, 2, 0.0});
  Bulk::Params params;
  params.dataDocument = &file;
  params.record = 3;
  params.settings = ZR::SettingsValues{2, static_cast<int32_t>(0x80000000u)};
  Bulk::State state;
  EventFCalc out;
  EXPECT_FALSE(Bulk::Algorithm::Step(state, params, out, 1000)) << "no sources, no record";
  EXPECT_EQ(3, file.askedRecord);
  EXPECT_EQ(2, file.askedChannel);
  EXPECT_EQ(1, file.presetNumerator);
  EXPECT_EQ(10, params.smoothing.n) << "(5 - 0) / (1 / 2)";
}

TEST_F(CalcBulkSettingsTest, SmoothingFallsBackToFivePointsWithoutAnAnswer) {
  RecordDataFile failing(TimeBase{1, 4, 0.0}, E_INVALIDARG);
  EXPECT_EQ(5, Bulk::QueryHostSmoothingPoints(&failing, 0, 0).n);
  EXPECT_EQ(5, Bulk::QueryHostSmoothingPoints(nullptr, 0, 0).n);
  RecordDataFile degenerate(TimeBase{0, 0, 0.0});
  EXPECT_EQ(5, Bulk::QueryHostSmoothingPoints(&degenerate, 0, 0).n);

  // The stand-in samples every channel at its record's tick, so it answers 1, 1, 0.0; an
  // unknown channel (the marker of a file never analysed) gets no answer.
  auto file = doctest::MakeDataFile();
  QOR::ComPtr<IHostRecordData> recordData;
  ASSERT_EQ(S_OK, file->QueryInterface(IID_IHostRecordData, recordData.OutVoid()));
  TimeBase answer{7, 7, 7.0};
  EXPECT_EQ(S_OK, recordData->GetChannelTimeBase(0, 0, 0, &answer));
  EXPECT_EQ(1, answer.numerator);
  EXPECT_EQ(1, answer.denominator);
  EXPECT_EQ(0.0, answer.offset);
  EXPECT_EQ(E_INVALIDARG, recordData->GetChannelTimeBase(0, 0, static_cast<int32_t>(0x80000000u), &answer));
  EXPECT_EQ(E_INVALIDARG, recordData->GetChannelTimeBase(0, 1, 0, &answer));
  EXPECT_EQ(5, Bulk::QueryHostSmoothingPoints(doctest::AsFile(file.Get()), 0, 0).n);
}

}  // namespace
