// The module's channel calculations checked against the analysis type: kept ones take their
// settings again once per run or notification, the others are switched off with one message.
#include "chancalc/Calc.h"
#include "chancalc/CalcClass.h"
#include "chancalc/SettingsCOM.h"
#include "document/ChannelCalcReader.h"
#include "document/DocumentStringIds.h"
#include "document/ParamCatalogue.h"
#include "host/formula/ChannelCalcEngine.h"
#include "hostclient/DocViewIds.h"
#include "tests/document/ZRDocFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using doctest::gBoxes;
using ZR::Doc::ZRDoc;

constexpr int kCardiac = 1;
constexpr int kPopulationSpike = 4;

// A measurement the cardiac type lists that the population-spike type lists too (kept) or not (lost).
int32_t MeasurementId(bool listedByPopulationSpike) {
  std::unique_ptr<ZR::Doc::ParamCatalogue> catalogue;
  ZR::Doc::BuildParamCatalogue(catalogue);
  for (int32_t id = 0; id <= 58; ++id)
    if (catalogue->FindRecord(kCardiac, id) &&
        (catalogue->FindRecord(kPopulationSpike, id) != nullptr) == listedByPopulationSpike)
      return id;
  return -1;
}

class ZRDocChannelCalcs : public doctest::ZRDocTest {
 protected:
  static void SetUpTestSuite() {
    doctest::ZRDocTest::SetUpTestSuite();
    ZR::Doc::SetShownMeasurementReader(&ZR::ChanCalc::ReadShownMeasurement);
    // The engine the calculations aggregate, as the host registers it.
    static const HRESULT engine = host::RegisterChannelCalcEngineClass(ObjectFactoryAccessor::Get(), GetTypeRegistry());
    ASSERT_EQ(S_OK, engine);
  }
  static void TearDownTestSuite() { ZR::Doc::SetShownMeasurementReader(nullptr); }
  void TearDown() override {
    // A calculation still applied and its data document hold each other.
    for (int32_t channel = 1; channel <= 3; ++channel) mData->Apply(channel, 0, 0, nullptr);
    doctest::ZRDocTest::TearDown();
  }

  // The analysed document with the module's calculation on channels 1 (kept) and 2, 3 (lost).
  ZRDoc& WithCalculations() {
    ZRDoc& doc = Open();
    AddCalculations();
    return doc;
  }
  void AddCalculations() {
    ASSERT_EQ(S_OK, mData->EnsureRecordedChannel(3, L"V"));
    const int32_t ids[] = {MeasurementId(true), MeasurementId(false), MeasurementId(false)};
    for (int32_t channel = 1; channel <= 3; ++channel) {
      ASSERT_LE(0, ids[channel - 1]);
      ComPtr<IHostChannelCalc> made;
      ASSERT_EQ(S_OK, ZR::ChanCalc::CalculationClass().CreateCalculation(
                          channel, 0, static_cast<IHostDataDocument*>(mData.Get()), made.Out()));
      ComPtr<IChannelCalc> calc;
      ASSERT_EQ(S_OK, made->QueryInterface(IID_IChannelCalc, calc.OutVoid()));
      ComPtr<ZR::ChanCalc::SettingsCOM> settings(ZR::ChanCalc::SettingsCOM::Create(nullptr, channel));
      settings->Values().parameterId = ids[channel - 1];
      ASSERT_EQ(S_OK, calc->ApplySettings(settings.Get(), 0)) << channel;
    }
  }
  std::vector<int32_t> Applies() { return {mData->ApplyCount(1), mData->ApplyCount(2), mData->ApplyCount(3)}; }
  size_t CalcMessages() {
    size_t count = 0;
    for (const doctest::Box& box : gBoxes)
      if (box.text == L"One or more channel calculations are not available in the new analysis type and have been "
                      L"turned off.") {
        EXPECT_EQ(static_cast<UINT>(MB_ICONASTERISK), box.type);
        ++count;
      }
    return count;
  }
};

TEST_F(ZRDocChannelCalcs, AnAnalysisRunReappliesEachOfferedCalculationOnce) {
  ZRDoc& doc = WithCalculations();
  const std::vector<int32_t> before = Applies();
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  EXPECT_EQ((std::vector<int32_t>{before[0] + 1, before[1] + 1, before[2] + 1}), Applies());
  EXPECT_EQ(1, mHost->CalculationUpdates());
  EXPECT_EQ(0u, CalcMessages());
  EXPECT_TRUE(mHost->SwitchedOffCalculations().empty());
}

// The analysis channel's data changed under a type without two of the measurements: the check
// runs once for the notification although clearing the results asks for it again.
TEST_F(ZRDocChannelCalcs, ANotificationSwitchesMissingMeasurementsOffWithOneMessage) {
  ZRDoc& doc = WithCalculations();
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  Set(2000, L"4");
  const std::vector<int32_t> before = Applies();
  const uint32_t channel[4] = {0, 0, 0, 0};
  ASSERT_EQ(S_OK, static_cast<IObserver*>(&doc)->Notify(0, DocIds::ChannelChangedEvent20::Id(), 0, channel));
  EXPECT_EQ((std::vector<int32_t>{2, 3}), mHost->SwitchedOffCalculations());
  EXPECT_EQ(before[0] + 1, mData->ApplyCount(1)) << "the kept calculation takes its settings once";
  EXPECT_EQ(1u, CalcMessages());
  ComPtr<IUnknown> gone;
  EXPECT_EQ(S_FALSE, static_cast<IHostChannelObjects*>(mData.Get())->GetChannelObject(2, 0xC0000000u, gone.Out()));

  gBoxes.clear();
  Set(2000, L"1");
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  EXPECT_EQ(0u, CalcMessages()) << "nothing left to switch off";
}

// Sampling stops with an analysis made while sampling: the calculations are checked then too.
TEST_F(ZRDocChannelCalcs, SamplingStopChecksTheCalculations) {
  ZRDoc& doc = WithCalculations();
  Set(2009, L"t");
  ASSERT_TRUE(doc.HasAnalysis() || doc.RunAnalysis(false, true));
  Set(2000, L"4");
  IOnlineDataSink* const sink = &doc;
  ASSERT_EQ(S_OK, sink->OnSamplingStart());
  ASSERT_EQ(S_OK, sink->OnSamplingStop());
  EXPECT_EQ((std::vector<int32_t>{2, 3}), mHost->SwitchedOffCalculations());
  EXPECT_EQ(1u, CalcMessages());
}

}  // namespace
