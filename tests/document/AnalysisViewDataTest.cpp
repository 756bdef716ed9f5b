// ZR::Doc::AnalysisViewData over a recording built in code and analysed through the real chain:
// the sampled series and ScrivoBuffer's padding, the markers per option, the fitted curve, the
// value text, and the refusals of ticks and fits that cannot be drawn.
#include "document/AnalysisViewData.h"

#include "document/CycleDetector.h"
#include "document/ParamCatalogue.h"
#include "document/ScrivoBuffer.h"
#include "document/SettingsStore.h"
#include "document/ZRDoc.h"
#include "document/ZRSetting_Bool.h"
#include "host/formula/FormulaEnumClass.h"
#include "tests/document/ZRDocFixture.h"
#include "tests/support/CardiacSignal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

using host::HostPtr;
using ZR::Doc::AnalysisViewData;
using ZR::Doc::Marker;
using ZR::Doc::MarkerKind;
using ZR::Doc::ZRDoc;

constexpr int32_t kTicks = 6300;
constexpr double kPeriod = 0.001;

class AnalysisViewDataTest : public doctest::ZRDocTest {
 protected:
  static void SetUpTestSuite() {
    doctest::ZRDocTest::SetUpTestSuite();
    sSignal = testsupport::CardiacSignal(kTicks, 1.0 / kPeriod);
    ASSERT_EQ(S_OK, host::RegisterFormulaEnumClassWithFramework(&sFormulaClass));
  }
  static void TearDownTestSuite() { sFormulaClass.Reset(); }
  void TearDown() override {
    doctest::ZRDocTest::TearDown();
    if (mData) mData->SetFormulaClass(nullptr);
  }

  // One record of cardiac beats in mV, analysed with the type given; every plot option on.
  ZRDoc& Analysed(const wchar_t* type = L"1") {
    Open(1, kTicks);
    // The general type's detector runs through the host's formula class.
    mData->SetFormulaClass(sFormulaClass.Get());
    Set(2000, type);
    for (int32_t n = 1; n <= 10; ++n) SetOption(ZR::Doc::PlotSeriesSetting(n), true);
    EXPECT_EQ(S_OK, SendAnalyze());
    return *mDoc.Get();
  }
  void SetOption(ZR::Doc::SettingId id, bool on) { mDoc->GetSettings().GetBoolSetting(id)->Set(on); }
  const EventFCalc& Record(int32_t event) { return mDoc->GetCycleDetector()->GetEvent(event).record; }
  static double Time(const EventFCalc& r, double tick) {
    return (tick - (r.stimulusTick >= 0 ? r.stimulusTick : r.tick)) * kPeriod;
  }
  static bool HasValue(const EventFCalc& r, int32_t index) {
    return (r.GetValueBitsByIndex(index) & 0x7F800000u) != 0x7F800000u;
  }

  static inline std::vector<float> sSignal;
  static inline HostPtr<ICalcEnumClass2> sFormulaClass;
};

}  // namespace

TEST_F(AnalysisViewDataTest, SeriesCoverTheEventsWindowAndItsBaselineRegion) {
  ZRDoc& doc = Analysed();
  ASSERT_GE(doc.GetCycleDetector()->EventCount(), 3);
  doc.SetCurrentEvent(1, 0);
  const EventFCalc& r = Record(1);
  AnalysisViewData& data = doc.GetAnalysisViewData();
  const ZR::Doc::SampledSeries signal = data.GetSampledSeries(0);
  const int32_t start = r.stimulusTick >= 0 ? std::min(r.stimulusTick, r.baseStartTick) : r.baseStartTick;
  ASSERT_EQ(r.limitTick - start + 1, signal.count);
  EXPECT_DOUBLE_EQ(Time(r, start), signal.firstX);
  EXPECT_DOUBLE_EQ(kPeriod, signal.step);
  EXPECT_EQ(0x21AC7Au, signal.colour);
  for (int32_t i = 0; i < signal.count; i += 17) EXPECT_EQ(sSignal[start + i], signal.samples[i]) << i;
  const ZR::Doc::SampledSeries baseline = data.GetSampledSeries(1);
  EXPECT_EQ(r.baseEndTick - r.baseStartTick + 1, baseline.count);
  EXPECT_DOUBLE_EQ(Time(r, r.baseStartTick), baseline.firstX);
  EXPECT_EQ(sSignal[r.baseStartTick], baseline.samples[0]);
  // The last event's signal runs to the end of its record.
  const int32_t last = doc.GetCycleDetector()->EventCount() - 1;
  doc.SetCurrentEvent(static_cast<uint32_t>(last), 0);
  const EventFCalc& l = Record(last);
  const int32_t lastStart = l.stimulusTick >= 0 ? std::min(l.stimulusTick, l.baseStartTick) : l.baseStartTick;
  EXPECT_EQ(kTicks - lastStart, data.GetSampledSeries(0).count);
  // Population spikes have no baseline series; an event past the last has no data at all.
  Set(2000, L"4");
  EXPECT_EQ(0, data.GetSampledSeries(1).count);
  EXPECT_GT(data.GetSampledSeries(0).count, 0);
  doc.SetCurrentEvent(99, 0);
  EXPECT_EQ(0, data.GetSampledSeries(0).count);
  EXPECT_TRUE(data.GetMarkers(ZR::Doc::kLineMarkers).empty());
}

TEST_F(AnalysisViewDataTest, ScrivoBufferPadsWithZerosOutsideTheRecord) {
  ZRDoc& doc = Analysed();
  ZR::Doc::ScrivoBuffer buffer(doc.DataDocument(), 0);
  std::vector<float> before(10, 7.0f);
  ASSERT_TRUE(buffer.Fill(0, -3, before));
  EXPECT_EQ((std::vector<float>{0.0f, 0.0f, 0.0f}), std::vector<float>(before.begin(), before.begin() + 3));
  EXPECT_EQ(std::vector<float>(sSignal.begin(), sSignal.begin() + 7), std::vector<float>(before.begin() + 3, before.end()));
  std::vector<float> after(10, 7.0f);
  ASSERT_TRUE(buffer.Fill(0, kTicks - 4, after));
  EXPECT_EQ(std::vector<float>(sSignal.end() - 4, sSignal.end()), std::vector<float>(after.begin(), after.begin() + 4));
  EXPECT_EQ(std::vector<float>(6, 0.0f), std::vector<float>(after.begin() + 4, after.end()));
  std::vector<float> missing(4, 7.0f);
  EXPECT_FALSE(buffer.Fill(5, 0, missing)) << "no such record";
  EXPECT_EQ(std::vector<float>(4, 0.0f), missing);
}

TEST_F(AnalysisViewDataTest, SeriesSpanRefusesTicksThatMakeNoBelievableStretch) {
  EventFCalc r;
  r.baseStartTick = 100;
  r.baseEndTick = 150;
  int32_t start = 0, end = 0;
  r.limitTick = 400;
  EXPECT_TRUE(AnalysisViewData::SeriesSpan(r, 0, 1, kTicks, start, end));
  EXPECT_EQ(100, start);
  EXPECT_EQ(400, end);
  r.stimulusTick = 60;
  EXPECT_TRUE(AnalysisViewData::SeriesSpan(r, 0, 3, kTicks, start, end));
  EXPECT_EQ(60, start) << "the earlier of stimulus and baseline start";
  r.limitTick = 0x7FFFFFFF;
  EXPECT_TRUE(AnalysisViewData::SeriesSpan(r, 0, 1, kTicks, start, end));
  EXPECT_EQ(kTicks - 1, end) << "the last event's window ends with its record";
  EXPECT_FALSE(AnalysisViewData::SeriesSpan(r, 0, 1, 0, start, end)) << "a record of unknown length";
  for (const int32_t bogus : {59, -1, 0x7FFFFFFE, static_cast<int32_t>(60 + ZR::Doc::kMaxSeriesSamples)}) {
    r.limitTick = bogus;
    EXPECT_FALSE(AnalysisViewData::SeriesSpan(r, 0, 1, kTicks, start, end)) << bogus;
  }
  r.limitTick = static_cast<int32_t>(60 + ZR::Doc::kMaxSeriesSamples - 1);
  EXPECT_TRUE(AnalysisViewData::SeriesSpan(r, 0, 1, kTicks, start, end));
  EXPECT_TRUE(AnalysisViewData::SeriesSpan(r, 1, 1, kTicks, start, end));
  EXPECT_FALSE(AnalysisViewData::SeriesSpan(r, 1, 4, kTicks, start, end)) << "no baseline series for spikes";
  r.baseEndTick = 90;
  EXPECT_FALSE(AnalysisViewData::SeriesSpan(r, 1, 1, kTicks, start, end)) << "inverted";
  // A population spike keeps no window: its stretch runs from the stimulus to its extent's end.
  EventFCalc spike;
  spike.stimulusTick = 60;
  spike.peakStartTick = 80;
  spike.spikePeak2Tick = 120;
  spike.peakEndTick = 140;
  EXPECT_TRUE(AnalysisViewData::SeriesSpan(spike, 0, 4, kTicks, start, end));
  EXPECT_EQ(60, start);
  EXPECT_EQ(140, end);
}

TEST_F(AnalysisViewDataTest, FitPointsOnlyForADecayOfBelievableLength) {
  EventFCalc r;
  r.tauFitStartTick = 20;
  r.tauFitEndTick = 25;
  r.tau = 0.01f;
  r.tauAmplitude = 2.0f;
  r.tauAsymptote = 0.5f;
  std::vector<float> x, y;
  ASSERT_TRUE(AnalysisViewData::FitPoints(r, kPeriod, 0.02, x, y));
  ASSERT_EQ(51u, x.size());
  for (size_t i = 0; i < x.size(); i += 5) {
    const double t = i * kPeriod / 10;
    EXPECT_FLOAT_EQ(static_cast<float>(0.02 + t), x[i]) << i;
    EXPECT_FLOAT_EQ(static_cast<float>(2.0 * std::exp(-t / static_cast<double>(r.tau)) + 0.5), y[i]) << i;
  }
  uint32_t noValue = 0x7F886000u;
  float nan = 0.0f;
  std::memcpy(&nan, &noValue, sizeof nan);
  for (const float tau : {0.0f, -0.01f, nan}) {
    r.tau = tau;
    EXPECT_FALSE(AnalysisViewData::FitPoints(r, kPeriod, 0.0, x, y)) << tau;
    EXPECT_TRUE(x.empty());
  }
  r.tau = 0.01f;
  for (const int32_t endTick : {20, 10, 20 + ZR::Doc::kMaxCurveTicks + 1, 0x7FFFFFFF}) {
    r.tauFitEndTick = endTick;
    EXPECT_FALSE(AnalysisViewData::FitPoints(r, kPeriod, 0.0, x, y)) << endTick;
  }
}

TEST_F(AnalysisViewDataTest, MarkersFollowTheirOptionsInTheirOrderAndMatchTheTable) {
  ZRDoc& doc = Analysed(L"0");
  ASSERT_GE(doc.GetCycleDetector()->EventCount(), 2);
  doc.SetCurrentEvent(1, 0);
  const EventFCalc& r = Record(1);
  AnalysisViewData& data = doc.GetAnalysisViewData();
  std::vector<int32_t> expected;
  for (const int32_t option : {2, 0, 57, 3, 4, 27})
    if (data.OptionOffered(option) && HasValue(r, option)) expected.push_back(option);
  ASSERT_EQ((std::vector<int32_t>{2, 0, 57, 3, 4, 27}), expected) << "the general type offers them all";
  const std::vector<Marker> lines = data.GetMarkers(ZR::Doc::kLineMarkers);
  ASSERT_EQ(expected.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(std::wstring(data.OptionName(expected[i]).GetText()), lines[i].name.GetText()) << i;
    EXPECT_EQ(0u, lines[i].colour) << i;
  }
  const auto find = [&](const wchar_t* name) -> const Marker* {
    for (const Marker& m : lines)
      if (std::wstring(m.name.GetText()) == name) return &m;
    return nullptr;
  };
  const Marker* const peak = find(L"Peak");
  ASSERT_NE(nullptr, peak);
  EXPECT_EQ(MarkerKind::TimeMark, peak->kind);
  EXPECT_DOUBLE_EQ(Time(r, r.Position()), peak->x1);
  // The baseline level is the Table View's value of the same measurement (there in mV).
  QOR::String text;
  double tableValue = 0.0;
  doc.GetCycleDetector()->GetEventValue(1, 2, text, &tableValue);
  ASSERT_EQ(MarkerKind::Level, lines[0].kind);
  EXPECT_NEAR(tableValue, lines[0].y1 * 1000.0, 1e-6);
  // Switched off, the peak marker goes; the others stay in order.
  SetOption(ZR::Doc::PlotSeriesSetting(3), false);
  const std::vector<Marker> without = data.GetMarkers(ZR::Doc::kLineMarkers);
  EXPECT_EQ(lines.size() - 1, without.size());
  for (const Marker& m : without) EXPECT_NE(std::wstring(L"Peak"), m.name.GetText());
  // The fitted decay: ten points a tick from the fit's start, on A e^(-t/tau) + C.
  ASSERT_TRUE(HasValue(r, 33));
  const ZR::Doc::PointSeries curve = data.GetFittedCurve();
  ASSERT_EQ(10 * (r.tauFitEndTick - r.tauFitStartTick) + 1, curve.count);
  EXPECT_FLOAT_EQ(static_cast<float>(Time(r, r.tauFitStartTick)), curve.x[0]);
  EXPECT_FLOAT_EQ(r.tauAmplitude + r.tauAsymptote, curve.y[0]);
  EXPECT_EQ(0xFF0000u, curve.colour);
  SetOption(ZR::Doc::PlotSeriesSetting(7), false);
  EXPECT_EQ(0, data.GetFittedCurve().count);
  // The slope line and the area come in their own categories.
  for (const Marker& m : data.GetMarkers(ZR::Doc::kSlopeMarkers)) EXPECT_EQ(MarkerKind::SlopeLine, m.kind);
  for (const Marker& m : data.GetMarkers(ZR::Doc::kAreaMarkers)) EXPECT_EQ(MarkerKind::Area, m.kind);
}

TEST_F(AnalysisViewDataTest, ValueTextGivesNameSixDigitsAndUnitOrNoValue) {
  ZRDoc& doc = Analysed();
  doc.SetCurrentEvent(1, 0);
  AnalysisViewData& data = doc.GetAnalysisViewData();
  const ZR::Doc::ParamCatalogue& catalogue = *doc.GetSettings().GetCatalogue();
  const int apa = catalogue.IndexOfId(1, 5);
  ASSERT_GE(apa, 0);
  QOR::String text;
  double value = 0.0;
  doc.GetCycleDetector()->GetEventValue(1, 5, text, &value);
  wchar_t expected[64];
  swprintf(expected, 64, L"%ls: %.6g mV", catalogue.GetShortName(1, apa).GetText(), value);
  EXPECT_EQ(std::wstring(expected), data.ValueText(apa).GetText());
  doc.SetCurrentEvent(99, 0);
  EXPECT_EQ(std::wstring(catalogue.GetShortName(1, apa).GetText()) + L": No value", data.ValueText(apa).GetText());
  // The event's date and time come as the host's text.
  const int time = catalogue.IndexOfId(1, 58);
  ASSERT_GE(time, 0);
  doc.SetCurrentEvent(1, 0);
  QOR::String hostText;
  doc.GetCycleDetector()->GetEventValue(1, 58, hostText, &value);
  ASSERT_FALSE(hostText.IsEmpty());
  EXPECT_EQ(std::wstring(catalogue.GetShortName(1, time).GetText()) + L": " + hostText.GetText(),
            data.ValueText(time).GetText());
  EXPECT_EQ(10u, data.Options().size());
  EXPECT_EQ(static_cast<size_t>(catalogue.Count(1)), data.CalculationNames().size());
}
