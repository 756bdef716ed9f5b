// ZR::Doc::AnalysisViewData: the current event's series, markers, fitted curve and texts.
#include "document/AnalysisViewData.h"

#include "base/OStringStream.h"
#include "base/TickConversion.h"
#include "base/UnitPrefix.h"
#include "document/CycleDetector.h"
#include "document/DocumentStringIds.h"
#include "document/ParamCatalogue.h"
#include "document/ParameterUnits.h"
#include "document/ScrivoBuffer.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRDoc.h"
#include "document/ZRSetting.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "hostapi/DataDocument.h"
#include "hostclient/ModuleInstance.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <limits>
#include <sstream>

namespace ZR::Doc {

namespace {

constexpr int32_t kPopulationSpikeType = 4;
constexpr int32_t kEvokedResponseType = 3;
constexpr int32_t kTimeParameter = 58;
constexpr COLORREF kSeries0Colour = 0x21AC7A;
constexpr COLORREF kSeries1Colour = 0xD8988B;
constexpr COLORREF kCurveColour = 0xFF0000;
constexpr COLORREF kMarkerColour = RGB(0, 0, 0);
constexpr COLORREF kAreaColour = RGB(255, 255, 192);  // light yellow
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Plot options in menu order with the Bool setting that shows each.
struct OptionEntry {
  int32_t index;
  SettingId setting;
};
// Series n is the setting of plot series n (1 to 10); the menu lists series 10 before 9.
constexpr SettingId Series(int32_t n) { return PlotSeriesSetting(n); }
constexpr OptionEntry kOptionTable[] = {{0, Series(1)},  {2, Series(2)},  {3, Series(3)},  {4, Series(4)},
                                        {56, Series(5)}, {27, Series(6)}, {33, Series(7)}, {48, Series(8)},
                                        {50, Series(10)}, {57, Series(9)}};

QOR::String Text(uint32_t id) { return QOR::String(GetModuleInstance(), id, true); }

// Read by bits: a no-value pattern never passes through floating-point registers.
bool IsFinite(const float& value) { return !IsNoValue(value); }

bool HasValue(const EventFCalc& record, int32_t index) {
  return (record.GetValueBitsByIndex(index) & 0x7F800000u) != 0x7F800000u;
}

// Only for a measurement that has a value.
double Measurement(const EventFCalc& record, int32_t index) {
  float value = 0.0f;
  record.GetValueByIndex(index, value);
  return value;
}

}  // namespace

// The current event with what turns its ticks into times.
struct AnalysisViewData::EventContext {
  const CycleEvent* event = nullptr;
  double period = 0.0;
  int32_t reference = 0;
  double Time(double tick) const { return (tick - reference) * period; }
};

AnalysisViewData::AnalysisViewData(ZRDoc& document) : mDocument(document) {
  // The graph menu's order.
  mOptions = {0, 2, 3, 4, 56, 27, 33, 48, 50, 57};
}

SettingId AnalysisViewData::OptionSetting(int32_t index) noexcept {
  for (const OptionEntry& entry : kOptionTable)
    if (entry.index == index) return entry.setting;
  return kNoSetting;
}

SettingsStore& AnalysisViewData::Settings() const { return mDocument.GetSettings(); }

const ParamCatalogue* AnalysisViewData::Catalogue() const { return Settings().GetCatalogue(); }

int32_t AnalysisViewData::AnalysisType() const {
  const ZRSetting* const setting = Settings().FindSetting(kSettingAnalysisType);
  return setting ? static_cast<int32_t>(setting->AsDouble()) : 0;
}

bool AnalysisViewData::ReadCurrent(EventContext& context) const {
  CycleDetector* const detector = mDocument.GetCycleDetector();
  IHostDataDocument* const data = mDocument.DataDocument();
  if (!detector || !data) return false;
  context.event = &detector->GetEvent(static_cast<int32_t>(mDocument.CurrentEvent()));
  if (context.event->recordIndex == 0x7FFFFFFF) return false;  // no event data
  if (FAILED(data->GetRecordTickPeriod(0, context.event->recordIndex, &context.period)) ||
      !(context.period > 0.0))
    return false;
  const EventFCalc& record = context.event->record;
  // The first baseline tick is the stimulus's (EventBCalcBase::stimulusTick).
  context.reference = record.stimulusTick >= 0 ? record.stimulusTick : record.tick;
  return true;
}

bool AnalysisViewData::SeriesSpan(const EventFCalc& record, int32_t index, int32_t type, int32_t recordTicks,
                                  int32_t& start, int32_t& end) {
  start = end = kNoTick;
  if (index == 0) {
    // From the stimulus or the baseline region's start, whichever comes first, to the end of the
    // event's window (EventBCalcMax::limitTick, the next event's first tick).
    const int32_t a = record.stimulusTick;
    const int32_t b = record.baseStartTick;
    start = a >= 0 && b >= 0 ? std::min(a, b) : (a >= 0 ? a : b);
    end = record.limitTick;
    // The last event's window runs to the end of its record.
    if (end == kRecordEndOffset && recordTicks > 0) end = recordTicks - 1;
    // A population spike's record has no window (limitTick) of its own: its stretch ends with
    // its extent, half the spike's span past its second peak (peakEndTick).
    if (type == kPopulationSpikeType) end = record.SpanEnd();
  } else if (index == 1 && type != kPopulationSpikeType) {
    start = record.baseStartTick;
    end = record.baseEndTick;
  }
  // Ticks that do not make a believable stretch draw nothing.
  const int64_t span = static_cast<int64_t>(end) - start;
  return start >= 0 && end >= 0 && span >= 0 && span < kMaxSeriesSamples;
}

SampledSeries AnalysisViewData::GetSampledSeries(int32_t index) {
  SampledSeries answer;
  mSamples.clear();
  EventContext context;
  int32_t start = 0, end = 0, recordTicks = 0;
  if (!ReadCurrent(context)) return answer;
  // A record whose length the host does not give leaves the window's end as it is.
  mDocument.DataDocument()->GetRecordLength(context.event->recordIndex, &recordTicks);
  if (!SeriesSpan(context.event->record, index, AnalysisType(), recordTicks, start, end)) return answer;
  mSamples.assign(static_cast<size_t>(static_cast<int64_t>(end) - start + 1), 0.0f);
  ScrivoBuffer buffer(mDocument.DataDocument(), Settings().GetCurrentChannel());
  buffer.Fill(context.event->recordIndex, start, mSamples);
  answer.count = static_cast<int32_t>(mSamples.size());
  answer.firstX = context.Time(start);
  answer.step = context.period;
  answer.samples = mSamples.data();
  answer.colour = index == 0 ? kSeries0Colour : kSeries1Colour;
  return answer;
}

bool AnalysisViewData::OptionOffered(int32_t index) const {
  const ParamCatalogue* const catalogue = Catalogue();
  return catalogue && catalogue->IndexOfId(AnalysisType(), index) >= 0;
}

QOR::String AnalysisViewData::OptionName(int32_t index) const {
  if (index == 0) return Text(IDS_ZR_MARKER_START);
  if (index == 3) return Text(IDS_ZR_MARKER_PEAK);
  if (index == 57) return Text(IDS_ZR_MARKER_END);
  const ParamCatalogue* const catalogue = Catalogue();
  return catalogue ? catalogue->GetShortNameById(AnalysisType(), index) : QOR::String(L"?");
}

bool AnalysisViewData::OptionShown(const EventFCalc& record, int32_t index, SettingId settingId) const {
  const ZRSetting_Bool* const setting = Settings().GetBoolSetting(settingId);
  return setting && setting->Get() && OptionOffered(index) && HasValue(record, index);
}

const std::vector<Marker>& AnalysisViewData::GetMarkers(int32_t category) {
  mMarkers.clear();
  EventContext context;
  if (!ReadCurrent(context)) return mMarkers;
  if (category == kLineMarkers) AddLineMarkers(context);
  if (category == kAreaMarkers) AddAreaMarker(context);
  if (category == kSlopeMarkers) AddSlopeMarker(context);
  return mMarkers;
}

void AnalysisViewData::AddLineMarkers(const EventContext& c) {
  const EventFCalc& r = c.event->record;
  const auto shown = [&](int32_t index) { return OptionShown(r, index, OptionSetting(index)); };
  const auto add = [&](int32_t index, MarkerKind kind, double x1, double y1, double x2, double y2) {
    mMarkers.push_back(Marker{x1, y1, x2, y2, kind, kMarkerColour, OptionName(index)});
  };
  const double baseline = r.baseline;
  if (shown(2)) add(2, MarkerKind::Level, 0.0, baseline, 0.0, baseline);
  // Start and end: the level crossings of the rise and the fall (peakStartTick, peakEndTick).
  if (shown(0) && r.peakStartTick >= 0) add(0, MarkerKind::TimeMark, c.Time(r.peakStartTick), 0.0, 0.0, 0.0);
  if (shown(57) && r.peakEndTick >= 0) add(57, MarkerKind::TimeMark, c.Time(r.peakEndTick), 0.0, 0.0, 0.0);
  if (shown(3)) add(3, MarkerKind::TimeMark, c.Time(r.Position()), 0.0, 0.0, 0.0);
  const double peak = Measurement(r, 4);
  if (shown(4)) add(4, MarkerKind::Level, 0.0, peak, 0.0, peak);
  // The half-height crossings of the rise and the fall (calcTick1, calcTick2).
  if (shown(27) && r.calcTick1 >= 0 && r.calcTick2 >= 0 && IsFinite(r.baseline) && HasValue(r, 4)) {
    const double half = baseline + (peak - baseline) * 0.5;
    add(27, MarkerKind::WidthBar, c.Time(r.calcTick1), half, c.Time(r.calcTick2), half);
  }
}

void AnalysisViewData::AddAreaMarker(const EventContext& c) {
  const EventFCalc& r = c.event->record;
  // A population spike's area runs from its first peak (peakStartTick) to its second
  // (spikePeak2Tick); a peak's area over the whole peak (peakStartTick to peakEndTick).
  const bool spike = r.peakStartTick >= 0 && r.spikePeak2Tick >= 0;
  const int32_t index = spike ? 50 : 56;
  const int32_t last = spike ? r.spikePeak2Tick : r.peakEndTick;
  if (!OptionShown(r, index, OptionSetting(index)) || r.peakStartTick < 0 || last < 0) return;
  // The area's base: the baseline where there is one; a spike's closes along its chord.
  const double base = IsFinite(r.baseline) ? static_cast<double>(r.baseline) : kNaN;
  mMarkers.push_back(Marker{c.Time(r.peakStartTick), base, c.Time(last), base, MarkerKind::Area, kAreaColour,
                            OptionName(index)});
}

void AnalysisViewData::AddSlopeMarker(const EventContext& c) {
  const EventFCalc& r = c.event->record;
  if (!OptionShown(r, 48, OptionSetting(48)) || !IsFinite(r.slopeIntercept)) return;
  // The fit's anchor: the stimulus (stimulusTick) for evoked responses and population spikes,
  // else the start of the rise (peakStartTick).
  const int32_t type = AnalysisType();
  const int32_t anchor = type == kEvokedResponseType || type == kPopulationSpikeType ? r.stimulusTick : r.peakStartTick;
  const ZRSettingIO<double, 4>* const from = Settings().GetDoubleSetting(kSettingSlopeStart);
  const ZRSettingIO<double, 4>* const to = Settings().GetDoubleSetting(kSettingSlopeEnd);
  if (anchor < 0 || !from || !to) return;
  const int32_t t1 = AddTicksSat(anchor, TruncToInt32Sat(from->Get() * 0.001 / c.period + 0.5));
  const int32_t t2 = AddTicksSat(anchor, TruncToInt32Sat(to->Get() * 0.001 / c.period + 0.5));
  // The slope plug-in fits y = intercept + slope * period * i over its samples, i = 1 at t1.
  const double perTick = static_cast<double>(r.slope) * c.period;
  const auto line = [&](int32_t t) { return r.slopeIntercept + perTick * (static_cast<double>(t) - t1 + 1.0); };
  mMarkers.push_back(Marker{c.Time(t1), line(t1), c.Time(t2), line(t2), MarkerKind::SlopeLine, kMarkerColour,
                            Text(IDS_ZR_MARKER_SLOPE)});
}

bool AnalysisViewData::FitPoints(const EventFCalc& r, double period, double x0, std::vector<float>& x,
                                 std::vector<float>& y) {
  x.clear();
  y.clear();
  // The fit's range and parameters (tauFitStartTick, tauFitEndTick, tau, tauAmplitude,
  // tauAsymptote): a curve that does not decay or has no believable length is not drawn.
  const int64_t n = static_cast<int64_t>(r.tauFitEndTick) - r.tauFitStartTick;
  if (r.tauFitStartTick < 0 || n <= 0 || n > kMaxCurveTicks || !IsFinite(r.tau) || !(r.tau > 0.0f) ||
      !IsFinite(r.tauAmplitude) || !IsFinite(r.tauAsymptote) || !(period > 0.0) || !std::isfinite(period))
    return false;
  const double tau = r.tau;
  const double step = period / 10.0;
  const size_t points = static_cast<size_t>(10 * n + 1);
  x.resize(points);
  y.resize(points);
  for (size_t i = 0; i < points; ++i) {
    const double t = static_cast<double>(i) * step;
    x[i] = static_cast<float>(t + x0);
    y[i] = static_cast<float>(r.tauAmplitude * std::exp(-t / tau) + r.tauAsymptote);
  }
  return true;
}

PointSeries AnalysisViewData::GetFittedCurve() {
  PointSeries answer;
  answer.colour = kCurveColour;
  mCurveX.clear();
  mCurveY.clear();
  EventContext context;
  if (!ReadCurrent(context)) return answer;
  const EventFCalc& r = context.event->record;
  if (!OptionShown(r, 33, OptionSetting(33)) ||
      !FitPoints(r, context.period, context.Time(r.tauFitStartTick), mCurveX, mCurveY))
    return answer;
  answer.count = static_cast<int32_t>(mCurveX.size());
  answer.x = mCurveX.data();
  answer.y = mCurveY.data();
  return answer;
}

std::vector<QOR::String> AnalysisViewData::CalculationNames() const {
  std::vector<QOR::String> names;
  const ParamCatalogue* const catalogue = Catalogue();
  const int32_t type = AnalysisType();
  const int count = catalogue ? catalogue->Count(type) : 0;
  for (int i = 0; i < count; ++i) names.push_back(catalogue->GetShortName(type, i));
  return names;
}

QOR::String AnalysisViewData::ValueText(int32_t calculation) const {
  const ParamCatalogue* const catalogue = Catalogue();
  CycleDetector* const detector = mDocument.GetCycleDetector();
  if (!catalogue || !detector) return QOR::String();
  const int32_t type = AnalysisType();
  const int32_t id = catalogue->GetId(type, calculation);
  std::wstring text = catalogue->GetShortNameById(type, id).GetText();
  text += L": ";
  QOR::String valueText;
  double value = 0.0;
  const auto event = static_cast<int32_t>(mDocument.CurrentEvent());
  detector->GetEventValue(event, id, valueText, &value);
  if (id == kTimeParameter || !valueText.IsEmpty()) return QOR::String((text + valueText.GetText()).c_str());
  if (!std::isfinite(value)) return QOR::String((text + Text(IDS_ZR_NO_VALUE).GetText()).c_str());
  std::wostringstream number;
  number << std::setprecision(6) << value;
  text += number.str();
  const int32_t record = detector->GetEvent(event).recordIndex;
  const QOR::UnitWithPrefix channel = mDocument.GetSourceChannelUnits(record == 0x7FFFFFFF ? -2 : record);
  const std::wstring unit = QOR::FormatUnitPrefix(ParameterUnits(id, channel.baseUnit, channel.prefix));
  if (!unit.empty()) text += L" " + unit;
  return QOR::String(text.c_str());
}

}  // namespace ZR::Doc
