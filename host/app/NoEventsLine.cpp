// The line an analysis without events ends with.
#include "host/app/NoEventsLine.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/AnalyzeInputs.h"
#include "host/app/ChannelHeightText.h"
#include "host/app/ChannelNoise.h"
#include "host/app/DetectorCall.h"
#include "host/app/StimulusLine.h"
#include "host/common/MessageText.h"
#include "host/cycles/DetectionSettings.h"
#include "host/cycles/DetectionTextProblem.h"

#include <cwchar>

namespace ondara_host {

namespace {

// The peak detector the width filter reads, and the filter, as the analysis's formula calls them.
constexpr wchar_t kPeakDetector[] = L"cappeakdet(";
constexpr wchar_t kWidthFilter[] = L"cappwf(";

std::string SettingText(const AnalysisFindings& f, int32_t id) { return host::Utf8FromWide(f.Setting(id)); }

// The events the width filter keeps with the peak detector it reads at another height; -1 when it
// does not run.
int32_t FilteredAt(const AnalysisFindings& f, double height) {
  const std::wstring filter = DetectorCall(*f.data, kWidthFilter);
  const std::wstring detector = DetectorCall(*f.data, kPeakDetector);
  const size_t at = detector.empty() ? std::wstring::npos : filter.find(detector);
  if (at == std::wstring::npos) return -1;
  return EventsFound(f.data, f.formulaClass,
                     filter.substr(0, at) + CallWithHeight(detector, height) + filter.substr(at + detector.size()));
}

// A minimum height below this many standard deviations of the noise lies in it: white noise alone
// swings that far between a trough and a peak at one sample in twenty, and below two standard
// deviations the peaks it makes are so many that twice the height still keeps more than half of
// them, as it keeps peaks of their own.
constexpr double kNoiseSds = 3.0;

// "; the minimum height lies in the noise ...", naming the setting that leaves the noise's peaks
// out, when it does; empty otherwise.
std::string InNoiseText(const AnalysisFindings& f) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double sd = ChannelNoiseSd(recording, channel);
  if (!(f.SettingNumber(kHeightSetting) < kNoiseSds * sd)) return std::string();
  return "; the minimum height lies in the noise, whose standard deviation is about " +
         HeightText(std::stod(host::NumberText(sd, 3)), recording, channel) +
         ": the peaks it passes are the noise's own, and a minimum height (setting 1006) several "
         "times that leaves them out";
}

// "; no peak rises and falls by the minimum height: the highest that does is 0.0912 V (91.2 mV), and
// a minimum height (setting 1006) below that finds it", for a call that finds no peak whatever its
// width.
std::string NoPeakText(const AnalysisFindings& f, const std::wstring& call) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double height = std::min(f.SettingNumber(kHeightSetting), ChannelSpan(recording, channel));
  const double highest = HighestHeightFound(f.data, f.formulaClass, call, height);
  if (!(highest > 0.0)) return "; no peak rises and falls by any height";
  return "; no peak rises and falls by the minimum height: the highest that does is " +
         HeightText(std::stod(host::NumberText(highest, 3)), recording, channel) +
         ", and a minimum height (setting 1006) below that finds it";
}

// How many peaks the detector found before the width filter took them out, and what keeps them.
// None: the minimum height is higher than every peak's rise and fall. Where the minimum height lies
// in the noise, the noise's own peaks, which a higher one leaves out. Where noise split wider peaks
// into narrower ones, a higher minimum height joins them: twice the height brings events through
// the filter. Otherwise each is a peak of its own, which a smaller minimum width keeps. Empty when
// the detector does not run alone.
std::string UnfilteredPeaksText(const AnalysisFindings& f, const std::string& widthSetting) {
  const std::wstring call = DetectorCall(*f.data, kPeakDetector);
  const int32_t peaks = call.empty() ? -1 : EventsFound(f.data, f.formulaClass, call);
  if (peaks < 0) return std::string();
  if (peaks == 0) return ": the peak detector found none before it" + NoPeakText(f, call);
  const std::string found = ": the peak detector found " + std::to_string(peaks) + " before it";
  const std::string noise = InNoiseText(f);
  if (!noise.empty()) return found + noise;
  const double twice = 2 * f.SettingNumber(kHeightSetting);
  const int32_t joined = FilteredAt(f, twice);
  if (joined > 0)
    return found + "; where noise splits a plateau into narrower peaks, a higher minimum height (setting 1006) "
                   "joins them: at " + HeightText(twice, f.data->Data(), static_cast<size_t>(f.channel)) +
           " the width filter keeps " + std::to_string(joined);
  return found + ", peaks of their own rather than pieces of wider ones: a smaller minimum width (" + widthSetting +
         ") keeps them, or the width filter off (setting 1036 = f) where each falls by the minimum height no sooner "
         "than half that width after its top";
}

// The minimum width that drops peaks: the width filter's when it is on; without it the peak
// detector still drops a peak whose fall by the minimum height comes sooner than half the width
// after it, which the noise's peaks do where the minimum height lies in the noise. Where no peak
// rises and falls by the minimum height at all, the height that finds one instead.
std::string WidthText(const AnalysisFindings& f, const std::wstring& type) {
  const int32_t id = type == L"1" ? kCardiacWidthSetting : kNeuronWidthSetting;
  const double width = f.SettingNumber(id);
  const std::string setting = "setting " + std::to_string(id);
  const bool filtered = SettingText(f, kWidthFilterSetting) == "t";
  if (filtered && width > 0.0)
    return "; the width filter (setting 1036) leaves out peaks narrower than " + SettingText(f, id) +
           " ms at half height (" + setting + ")" + UnfilteredPeaksText(f, setting);
  // The detector without its own minimum width.
  const std::wstring call = CallWithArgument(DetectorCall(*f.data, kPeakDetector), 2, 0.0);
  if (!call.empty() && EventsFound(f.data, f.formulaClass, call) == 0) return NoPeakText(f, call);
  if (filtered || !(width > 0.0)) return std::string();
  return "; the width filter is off (setting 1036 = f), but the peak detector still drops a peak that falls by the "
         "minimum height within " + host::NumberText(width / 2) + " ms, half of " + setting + " (" + SettingText(f, id) +
         " ms)" + InNoiseText(f);
}

// "0.05 V (50 mV)", then what most likely kept the peaks out: a height above all the trace spans
// (typed in the channel's unit, probably, when the user typed it), or the minimum width.
std::string MinimumHeightText(const AnalysisFindings& f, const std::wstring& type) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double height = f.SettingNumber(kHeightSetting);
  std::string text = "minimum height " + HeightText(height, recording, channel);
  const double span = ChannelSpan(recording, channel);
  if (height <= span) return (type == L"1" || type == L"5") ? text + WidthText(f, type) : text;
  text += ", more than the whole trace spans (" + host::NumberText(span, 3) + BaseUnitText(recording, channel) + ")";
  const std::string hint = f.Typed(kHeightSetting) ? BaseUnitHint(height, span, recording, channel) : std::string();
  return hint.empty() ? text : text + ": " + hint;
}

// "; downward (-1) the detector finds 27", where the other direction finds events.
std::string OtherDirectionText(const AnalysisFindings& f, const host::DetectionValues& values) {
  const std::wstring call = DetectorCall(*f.data, (std::wstring(host::kCycleDetectorName) + L"(").c_str());
  const bool downward = values.polarity < 0.0;
  // The call's first number after the channel is 1 for downward.
  const int32_t found = call.empty() ? -1 : EventsFound(f.data, f.formulaClass, CallWithArgument(call, 1, !downward));
  if (found <= 0) return std::string();
  return std::string("; ") + (downward ? "upward (1)" : "downward (-1)") + " the detector finds " +
         std::to_string(found);
}

// The detection text's direction and threshold, and what the other direction finds; an absolute threshold
// above all the trace spans was typed in the channel's unit, probably, and gets the hint the minimum height gets.
std::string CycleDetectionText(const AnalysisFindings& f) {
  const std::wstring detection = f.Setting(kCycleDetectionSetting);
  const std::string unit = BaseUnitText(f.data->Data(), static_cast<size_t>(f.channel));
  std::string text = "detection settings 1010 = " + host::QuoteInput(detection) +
                     ": the third number is the direction (1 upward, -1 downward), the fifth " +
                     host::DetectionThresholdWords(detection, unit.empty() ? "the channel's units" : unit.substr(1));
  host::DetectionValues values;
  if (f.channel < 0 || !values.FromText(detection)) return text;
  text += OtherDirectionText(f, values);
  if (values.IsRelativeThreshold()) return text;
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double span = ChannelSpan(recording, channel);
  if (!(values.minPeakHeight > span)) return text;
  text += "; " + HeightText(values.minPeakHeight, recording, channel) + " is more than the whole trace spans (" +
          host::NumberText(span, 3) + unit + ")";
  const std::string hint = BaseUnitHint(values.minPeakHeight, span, recording, channel);
  return hint.empty() ? text : text + ": " + hint;
}

}  // namespace

std::wstring AnalysisFindings::Setting(int32_t id) const { return DocumentSettingText(settings, id); }

double AnalysisFindings::SettingNumber(int32_t id) const { return std::wcstod(Setting(id).c_str(), nullptr); }

std::string NoEventsLine(const AnalysisFindings& f) {
  const std::wstring type = f.Setting(kTypeSetting);
  const bool stimulated = type == L"3" || type == L"4";
  if (f.rows > 0) return stimulated && f.channel >= 0 && f.data ? NoResponseWords(f) : std::string();
  const std::string head = "found 0 events";
  if (type == L"0" || type == L"2") return head + ": " + CycleDetectionText(f);
  if (f.channel < 0 || !f.data) return head;
  const std::string stimulus = stimulated ? NoStimulusWords(f) : std::string();
  if (!stimulus.empty()) return head + ": " + stimulus;
  if (type != L"1" && type != L"3" && type != L"5") return head;
  return head + ": " + MinimumHeightText(f, type);
}

}  // namespace ondara_host
