// The cycle detector's settings object: parameters, validity, text form and the detector formula it writes.
#include "host/cycles/DetectionSettings.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

#include "host/common/ErrorText.h"
#include "host/common/HostObject.h"
#include "host/common/HostString.h"
#include "host/common/MessageText.h"
#include "host/cycles/DetectionTextProblem.h"

namespace host {

namespace {

// Answered by the objects made here, so that the host can read their values directly.
// {0E7C2B44-3F55-4A1D-8C6B-91D2E07A5F13}
constexpr GUID kDetectionSettingsImplId = {
    0x0E7C2B44, 0x3F55, 0x4A1D, {0x8C, 0x6B, 0x91, 0xD2, 0xE0, 0x7A, 0x5F, 0x13}};

constexpr int32_t kTextVersion = 1;
// The detector's local trough rises by one threshold in this time at most: it follows a drift of up to two
// thresholds per 100 ms, and an event that rises within a few ms loses little of its rise to it.
constexpr double kTroughRiseMs = 50.0;
constexpr int32_t kParamIndexes[] = {kPXParamChannel,   kDetectPolarity,    kDetectHysteresis,
                                     kPXParamMinHeight, kDetectMinIntervalMs, kDetectBaselineMs,
                                     kDetectRelative,   kDetectPresetNumber, kPXParamPositiveOnly};

std::wostringstream ClassicStream() {
  std::wostringstream out;
  out.imbue(std::locale::classic());
  out << std::setprecision(17);
  return out;
}

}  // namespace

double* DetectionValues::Field(int32_t index) noexcept {
  switch (index) {
    case kPXParamChannel: return &channel;
    case kDetectPolarity: return &polarity;
    case kDetectHysteresis: return &hysteresis;
    case kPXParamMinHeight: return &minPeakHeight;
    case kDetectMinIntervalMs: return &minIntervalMs;
    case kDetectBaselineMs: return &baselineMs;
    case kDetectRelative: return &relative;
    case kDetectPresetNumber: return &presetNumber;
    case kPXParamPositiveOnly: return &allowNonPositive;
    default: return nullptr;
  }
}

bool DetectionValues::operator==(const DetectionValues& o) const noexcept {
  // The channel and the preset number say where settings are used and came from, not what they detect.
  return polarity == o.polarity && hysteresis == o.hysteresis && minPeakHeight == o.minPeakHeight &&
         minIntervalMs == o.minIntervalMs && baselineMs == o.baselineMs &&
         RelativeSwitchOn(relative) == RelativeSwitchOn(o.relative) &&
         allowNonPositive == o.allowNonPositive;
}

DetectionFault DetectionValues::Fault() const noexcept {
  if (!(channel >= 0.0 && channel < 1e6)) return DetectionFault::Channel;
  if (polarity != 1.0 && polarity != -1.0) return DetectionFault::Polarity;
  if (!(hysteresis >= 0.0 && hysteresis < 1.0)) return DetectionFault::Hysteresis;
  if (!(minIntervalMs >= 0.0 && minIntervalMs <= 1e9)) return DetectionFault::Interval;
  if (!(baselineMs >= 0.0 && baselineMs <= 1e9)) return DetectionFault::Baseline;
  if (RelativeSwitchOn(relative)) {
    if (!(baselineMs > 0.0)) return DetectionFault::RelativeBaseline;
    return minPeakHeight >= 0.05 && minPeakHeight <= 9.0 ? DetectionFault::None : DetectionFault::RelativeHeight;
  }
  if (allowNonPositive == 0.0)
    return minPeakHeight > 0.0 && minPeakHeight <= DBL_MAX ? DetectionFault::None : DetectionFault::AbsoluteHeight;
  return std::isfinite(minPeakHeight) ? DetectionFault::None : DetectionFault::NonFiniteHeight;
}

std::wstring DetectionValues::ToText() const {
  std::wostringstream out = ClassicStream();
  out << kTextVersion;
  DetectionValues copy = *this;
  for (const int32_t index : kParamIndexes) out << L' ' << *copy.Field(index);
  return out.str();
}

bool DetectionValues::FromText(const std::wstring& text) {
  std::wistringstream in(text);
  in.imbue(std::locale::classic());
  int32_t version = 0;
  if (!(in >> version) || version != kTextVersion) return false;
  DetectionValues read;
  for (const int32_t index : kParamIndexes) {
    if (!(in >> *read.Field(index))) return false;
  }
  // A number more (a damaged "5.0000 00000000002e-11" reads as two) would shift every later one.
  if (!(in >> std::ws).eof()) return false;
  *this = read;
  return true;
}

std::array<double, 6> DetectionValues::Arguments() const {
  // The formula's switch takes 0 or 1: any number but 0 is relative.
  return {polarity < 0.0 ? 1.0 : 0.0, hysteresis, minPeakHeight, minIntervalMs, baselineMs,
          RelativeSwitchOn(relative) ? 1.0 : 0.0};
}

std::wstring DetectionValues::FormulaArguments() const {
  std::wostringstream out = ClassicStream();
  const char* separator = "";
  for (const double argument : Arguments()) {
    out << separator << argument;
    separator = ", ";
  }
  return out.str();
}

CycleRules RulesFromArguments(const double* a, int32_t count, double tickPeriod) {
  const std::array<double, 6> given = DetectionValues().Arguments();
  double v[6];
  for (int32_t i = 0; i < 6; ++i) v[i] = i < count && a[i] != -1.0 && std::isfinite(a[i]) ? a[i] : given[i];
  auto ticks = [&](double ms) {
    const double t = tickPeriod > 0.0 ? ms * 0.001 / tickPeriod + 0.5 : 0.0;
    return t >= 2147483647.0 ? 2147483647 : (t > 0.0 ? static_cast<int32_t>(t) : 0);
  };
  CycleRules r;
  r.polarity = v[0] > 0.5 ? -1.0 : 1.0;
  r.hysteresis = v[1] >= 0.0 && v[1] < 1.0 ? v[1] : given[1];
  r.threshold = v[2];
  r.minIntervalTicks = ticks(v[3]);
  r.baselineTicks = ticks(v[4]);
  // A relative threshold measures the noise over at least the run-in, however short the baseline given.
  r.relative = RelativeSwitchOn(v[5]) && v[4] > 0.0;
  if (r.relative) r.baselineTicks = std::max(r.baselineTicks, kCycleRunInSamples);
  r.troughRisePerTick = 1.0 / std::max(ticks(kTroughRiseMs), 1);
  r.smoothing = CycleSmoothing(r.minIntervalTicks);
  return r;
}

namespace {

class DetectionSettings final : public HostObject<IPXDetectionSettings, IPXPreviewTrace> {
 public:
  explicit DetectionSettings(const DetectionValues& values = DetectionValues()) : mValues(values) {}

  const DetectionValues& Values() const noexcept { return mValues; }

  HRESULT STDMETHODCALLTYPE IsValid(VARIANT_BOOL* valid) noexcept override {
    return Flag(valid, mValues.IsValid());
  }
  HRESULT STDMETHODCALLTYPE Clone(IPXDetectionSettings** copy) noexcept override {
    if (!copy) return E_POINTER;
    *copy = nullptr;
    try {
      *copy = new DetectionSettings(mValues);
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE CopyFrom(IPXDetectionSettings* other, VARIANT_BOOL channelObject) noexcept override {
    const DetectionValues* from = DetectionValuesOf(other);
    if (!from) return E_INVALIDARG;
    const double channel = mValues.channel;
    mValues = *from;
    if (channelObject != VARIANT_FALSE) mValues.channel = channel;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetText(QOR::IQORString** text) noexcept override {
    return Give(text, [&] { return mValues.ToText(); });
  }
  // A text refused leaves the words why as the thread's error info (none for one that is not numbers).
  HRESULT STDMETHODCALLTYPE LoadText(QOR::IQORString* text) noexcept override {
    try {
      const std::wstring given = StringText(text);
      if (mValues.FromText(given)) return S_OK;
      const std::string problem = DetectionTextProblem(given);
      if (!problem.empty()) SetErrorText(WideFromUtf8(problem));
      return E_INVALIDARG;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE ResetToDefaults() noexcept override {
    const double channel = mValues.channel;
    mValues = DetectionValues();
    mValues.channel = channel;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UsesSourceObject(VARIANT_BOOL* uses) noexcept override {
    return Flag(uses, false);  // the detector reads the channel itself
  }
  HRESULT STDMETHODCALLTYPE GetDetectorFormula(QOR::IQORString* reference, VARIANT_BOOL, int32_t, uint32_t,
                                               QOR::IQORString** formula) noexcept override {
    return Give(formula, [&] {
      return std::wstring(kCycleDetectorName) + L"( " + StringText(reference) + L", " + mValues.FormulaArguments() +
             L" )";
    });
  }
  // The detector derives no trace of its own: its source is the channel as referenced.
  HRESULT STDMETHODCALLTYPE GetSourceFormula(QOR::IQORString* reference, QOR::IQORString** formula) noexcept override {
    return Give(formula, [&] { return StringText(reference); });
  }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetParameter(int32_t index, double* value) noexcept override {
    if (!value) return E_POINTER;
    *value = 0.0;
    const double* field = mValues.Field(index);
    if (!field) return E_INVALIDARG;
    *value = *field;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetParameter(int32_t index, double value) noexcept override {
    double* field = mValues.Field(index);
    if (!field) return E_INVALIDARG;
    *field = index == kPXParamChannel ? std::trunc(value + 0.5) : value;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCaption(QOR::IQORString** caption) noexcept override {
    return Give(caption, [] { return std::wstring(L"M&inimum peak height:"); });
  }
  HRESULT STDMETHODCALLTYPE Reserved16() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetThresholdUnit(QOR::IQORString* unit, int32_t prefix, QOR::IQORString** outUnit,
                                             int32_t* outPrefix) noexcept override {
    return SameUnit(unit, prefix, outUnit, outPrefix);
  }
  HRESULT STDMETHODCALLTYPE Reserved20() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsRelativeThreshold(VARIANT_BOOL* relative) noexcept override {
    return Flag(relative, RelativeSwitchOn(mValues.relative));
  }

  // IPXPreviewTrace: the detector reads the channel itself, so its trace is the channel's.
  HRESULT STDMETHODCALLTYPE HasDerivedTrace(VARIANT_BOOL* derived) noexcept override { return Flag(derived, false); }
  HRESULT STDMETHODCALLTYPE GetDerivedTraceText(QOR::IQORString* reference, QOR::IQORString** text) noexcept override {
    return Give(text, [&] { return StringText(reference); });
  }
  HRESULT STDMETHODCALLTYPE GetDerivedTraceUnits(QOR::IQORString* unit, int32_t prefix, QOR::IQORString** outUnit,
                                                 int32_t* outPrefix) noexcept override {
    return SameUnit(unit, prefix, outUnit, outPrefix);
  }
  HRESULT STDMETHODCALLTYPE GetAxisUnits(QOR::IQORString* unit, int32_t prefix, QOR::IQORString** outUnit,
                                         int32_t* outPrefix) noexcept override {
    return SameUnit(unit, prefix, outUnit, outPrefix);
  }
  HRESULT STDMETHODCALLTYPE GetDerivedTraceRange(const double channelRange[2], int32_t,
                                                 double traceRange[2]) noexcept override {
    if (!channelRange || !traceRange) return E_POINTER;
    traceRange[0] = channelRange[0];
    traceRange[1] = channelRange[1];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Refresh(int32_t, int32_t* answer) noexcept override {
    if (answer) *answer = 0;
    return S_OK;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IPXDetectionSettings) return static_cast<IPXDetectionSettings*>(this);
    if (iid == IID_IPXPreviewTrace) return static_cast<IPXPreviewTrace*>(this);
    if (iid == kDetectionSettingsImplId) return this;
    return nullptr;
  }
  static HRESULT Flag(VARIANT_BOOL* out, bool value) noexcept {
    if (!out) return E_POINTER;
    *out = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  template <class MakeText>
  static HRESULT Give(QOR::IQORString** out, MakeText make) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
      *out = MakeHostString(make()).Detach();
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  // The threshold is in the channel's own units: they come back as given.
  static HRESULT SameUnit(QOR::IQORString* unit, int32_t prefix, QOR::IQORString** outUnit,
                          int32_t* outPrefix) noexcept {
    if (!outPrefix) return E_POINTER;
    *outPrefix = prefix;
    return Give(outUnit, [&] { return StringText(unit); });
  }

  DetectionValues mValues;
};

}  // namespace

HostPtr<IPXDetectionSettings> CreateDetectionSettings() { return CreateDetectionSettings(DetectionValues()); }

HostPtr<IPXDetectionSettings> CreateDetectionSettings(const DetectionValues& values) {
  HostPtr<IPXDetectionSettings> settings;
  settings.Attach(new DetectionSettings(values));
  return settings;
}

const DetectionValues* DetectionValuesOf(IPXDetectionSettings* settings) noexcept {
  if (!settings) return nullptr;
  void* impl = nullptr;
  if (FAILED(settings->QueryInterface(kDetectionSettingsImplId, &impl)) || !impl) return nullptr;
  auto* const object = static_cast<DetectionSettings*>(impl);
  object->Release();  // the caller holds settings, which keeps the object alive
  return &object->Values();
}

}  // namespace host
