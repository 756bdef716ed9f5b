// The cycle detector's settings quoted back, turned and with a threshold beyond the noise.
#include "host/app/TurnedDetection.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/ChannelHeightText.h"
#include "host/app/ChannelNoise.h"
#include "host/app/DetectorCall.h"
#include "host/app/EventRecordFormat.h"
#include "host/app/EventRun.h"
#include "host/common/MessageText.h"
#include "host/cycles/DetectionSettings.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <sstream>
#include <vector>

namespace ondara_host {

namespace {

// The highest relative threshold the detector takes, in standard deviations.
constexpr double kHighestRelativeThreshold = 9.0;

// The settings as typed, with the direction turned (`direction` not 0) and another threshold
// (`threshold` above 0).
std::string AsTyped(const AnalysisFindings& f, int direction, double threshold) {
  std::wistringstream in(f.Setting(kCycleDetectionSetting));
  std::string text;
  std::wstring word;
  for (int i = 0; in >> word; ++i) {
    wchar_t* end = nullptr;
    const double number = std::wcstod(word.c_str(), &end);
    text += (i ? " " : "") + (i == 2 && direction != 0   ? std::to_string(direction)
                              : i == 4 && threshold > 0.0 ? host::ExactNumberText(threshold)
                              : *end == 0                 ? host::ExactNumberText(number)
                                                          : host::Utf8FromWide(word));
  }
  return text;
}

// The detector's call with the settings turned to `direction` and the threshold: the analysis's own
// call (its channel or source as the formula names it) where it has one.
std::wstring TurnedCall(const AnalysisFindings& f, host::DetectionValues values, int direction, double threshold) {
  values.polarity = direction;
  values.minPeakHeight = threshold;
  const std::wstring call = DetectorCall(*f.data, (std::wstring(host::kCycleDetectorName) + L"(").c_str());
  if (call.empty())
    return std::wstring(host::kCycleDetectorName) + L"( ch" + std::to_wstring(f.channel + 1) + L", " +
           values.FormulaArguments() + L")";
  // The call's first number after the channel is 1 for downward, its third the threshold.
  return CallWithArgument(CallWithArgument(call, 1, direction < 0 ? 1.0 : 0.0), 3, threshold);
}

// What the detector finds with a call: its events, and how many of them are no bigger than `reach`.
struct Found {
  int32_t events = -1;  // -1: the call does not run
  int32_t withinNoise = 0;
};

Found FindWith(const AnalysisFindings& f, const std::wstring& call, double reach) {
  host::EventRunOptions options;
  options.formula = call;
  std::string output;
  std::wstring error;
  Found found;
  if (FAILED(host::RunEventFormula(f.data, f.formulaClass, options, &output, &error))) return found;
  found.events = 0;
  for (const host::EventCells& e : host::ReadEventLines(output)) {
    ++found.events;
    // The detector's value: the event's extreme from the trough it rose from, signed by its direction.
    if (!(std::fabs(std::strtod(e.value.c_str(), nullptr)) > reach)) ++found.withinNoise;
  }
  return found;
}

// A threshold the user can type: two figures.
double TypedThreshold(double threshold) { return std::stod(host::NumberText(threshold, 2)); }

std::string SettingsWords(const AnalysisFindings& f, int direction, double threshold, int32_t events) {
  return "--set \"1010=" + AsTyped(f, direction, threshold) + "\", the detector finds " + std::to_string(events);
}

}  // namespace

std::string DetectionAsTyped(const AnalysisFindings& f, int direction) { return AsTyped(f, direction, 0.0); }

std::string TurnedDetectionWords(const AnalysisFindings& f, int direction) {
  host::DetectionValues values;
  if (f.channel < 0 || !values.FromText(f.Setting(kCycleDetectionSetting))) return std::string();
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double reach = NoiseReach(recording, channel) / 2;
  const double given = values.minPeakHeight;
  const Found atGiven = FindWith(f, TurnedCall(f, values, direction, given), reach);
  if (atGiven.events <= 0) return std::string();
  if (atGiven.withinNoise == 0) return SettingsWords(f, direction, 0.0, atGiven.events);
  const std::string noise = "the noise, which stands up to " +
                            HeightText(std::stod(host::NumberText(reach, 3)), recording, channel) +
                            " from its level here";
  const std::string within = "at the threshold given, " + host::ExactNumberText(given) + ", " +
                             std::to_string(atGiven.withinNoise) + " of the " + std::to_string(atGiven.events) +
                             " it finds " + (atGiven.withinNoise == 1 ? "is" : "are") +
                             " no bigger: that threshold lies in the noise";
  // A threshold of 0 (or none) has no multiple to climb by.
  const double highest = !(given > 0.0)                ? 0.0
                         : values.IsRelativeThreshold() ? kHighestRelativeThreshold
                                                        : ChannelSpan(recording, channel);
  for (double t = TypedThreshold(given * std::sqrt(2.0)); t <= highest; t = TypedThreshold(t * std::sqrt(2.0))) {
    const Found found = FindWith(f, TurnedCall(f, values, direction, t), reach);
    if (found.events <= 0) break;
    if (found.withinNoise == 0)
      return SettingsWords(f, direction, t, found.events) + ", each bigger than " + noise + " (" + within + ")";
  }
  return SettingsWords(f, direction, 0.0, atGiven.events) + ", " + std::to_string(atGiven.withinNoise) +
         " of them no bigger than " + noise + ": the threshold lies in the noise, and no higher one finds events "
         "beyond it";
}

std::string LowerThresholdWords(const AnalysisFindings& f) {
  host::DetectionValues values;
  if (f.channel < 0 || !values.FromText(f.Setting(kCycleDetectionSetting)) || !(values.minPeakHeight > 0.0))
    return std::string();
  const int direction = values.polarity < 0.0 ? -1 : 1;
  const double reach = NoiseReach(f.data->Data(), static_cast<size_t>(f.channel)) / 2;
  // Below the noise's reach an absolute threshold finds the noise; a relative one stops at the
  // lowest the detector takes.
  const double lowest = values.IsRelativeThreshold() ? 0.05 : reach;
  // Events of one kind are of sizes near each other: a threshold whose count the next lower one
  // does not change lies in the gap below them, not among them (on a heartbeat 1 V high, 8 beats
  // at 0.7 and 0.5 V, 16 waves at 0.1 V).
  double best = 0.0, previous = 0.0;
  int32_t most = 0, last = 0;
  for (double t = TypedThreshold(values.minPeakHeight / std::sqrt(2.0)); t >= lowest;
       t = TypedThreshold(t / std::sqrt(2.0))) {
    const Found found = FindWith(f, TurnedCall(f, values, direction, t), reach);
    if (found.events < 0 || found.withinNoise > 0) break;
    if (found.events > 0 && found.events == last) {
      most = last, best = previous;
      break;
    }
    if (found.events > most) most = found.events, best = t;
    last = found.events, previous = t;
  }
  if (most <= 0) return std::string();
  return "; lower, " + SettingsWords(f, direction, best, most);
}

}  // namespace ondara_host
