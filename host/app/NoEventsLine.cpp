// The line an analysis without events ends with.
#include "host/app/NoEventsLine.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/AnalyzeInputs.h"
#include "host/app/ChannelHeightText.h"
#include "host/app/ChannelNoise.h"
#include "host/app/DetectorCall.h"
#include "host/app/EventRecordFormat.h"
#include "host/app/EventRun.h"
#include "host/app/HeightFindingMost.h"
#include "host/app/JudgedRows.h"
#include "host/app/PointsDownLine.h"
#include "host/app/StimulusLine.h"
#include "host/app/TurnedDetection.h"
#include "host/common/MessageText.h"
#include "host/cycles/DetectionSettings.h"
#include "host/cycles/DetectionTextProblem.h"
#include "host/data/RecordingReader.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <vector>

namespace ondara_host {

namespace {

// The peak detector the width filter reads, and the filter, as the analysis's formula calls them.
constexpr wchar_t kPeakDetector[] = L"cappeakdet(";
constexpr wchar_t kWidthFilter[] = L"cappwf(";

std::string SettingText(const AnalysisFindings& f, int32_t id) { return host::Utf8FromWide(f.Setting(id)); }

// The call that finds the analysis's events at another minimum height: the width filter's, with the
// peak detector it reads at that height, when it runs, else the peak detector's with its own
// minimum width; empty when neither runs.
std::wstring CallAt(const AnalysisFindings& f, double height) {
  const std::wstring detector = DetectorCall(*f.data, kPeakDetector);
  if (detector.empty() || SettingText(f, kWidthFilterSetting) != "t") return CallWithHeight(detector, height);
  const std::wstring filter = DetectorCall(*f.data, kWidthFilter);
  const size_t at = filter.find(detector);
  if (at == std::wstring::npos) return std::wstring();
  return filter.substr(0, at) + CallWithHeight(detector, height) + filter.substr(at + detector.size());
}

// Where the analysis's events stand at another minimum height ("record:tick", in order); empty when
// it finds none or does not run.
std::vector<std::string> PlacesAt(const AnalysisFindings& f, double height) {
  host::EventRunOptions options;
  options.formula = CallAt(f, height);
  std::string output;
  std::wstring error;
  std::vector<std::string> places;
  if (options.formula.empty() || FAILED(host::RunEventFormula(f.data, f.formulaClass, options, &output, &error)))
    return places;
  for (const host::EventCells& e : host::ReadEventLines(output)) places.push_back(e.record + ":" + e.tick);
  return places;
}

// The rows the analysis gives with `call`, where every one is an action potential (JudgeRows); 0
// otherwise: a setting whose rows are not all events is no advice.
int32_t EventsWith(const AnalysisFindings& f, const std::wstring& call) {
  return call.empty() ? 0 : JudgeRows(f, call).Count();
}

// The events the analysis finds at another minimum height, every row an action potential; -1 when
// it does not run.
int32_t FoundAt(const AnalysisFindings& f, double height) {
  const std::wstring call = CallAt(f, height);
  return call.empty() ? -1 : EventsWith(f, call);
}

std::string FoundWords(const AnalysisFindings& f, int32_t found) {
  return SettingText(f, kWidthFilterSetting) == "t" ? "the width filter keeps " + std::to_string(found)
                                                     : "the peak detector finds " + std::to_string(found);
}

std::vector<double> SmallerWidths(double width);


// The peaks the detector call finds at a minimum height without a minimum width.
int32_t PeaksWithoutWidth(const AnalysisFindings& f, const std::wstring& detector, double height) {
  return EventsFound(f.data, f.formulaClass, CallWithArgument(CallWithHeight(detector, height), 2, 0.0));
}

// Where no height from the noise's reach up (each sqrt 2 times the last, to the trace's span) finds
// a peak that the minimum width lets through, the peaks there may be narrower than it: ": at 0.0045 V
// (setting 1006 = 0.0045) the peak detector finds 10, narrower than the minimum width (setting
// 1035): at 0.5 ms (setting 1035 = 0.5) the width filter keeps 10", at the lowest such height at
// which the detector without a width finds the most, with the largest smaller width (as
// SmallerWidths tries them) that keeps them all: out of the noise, the peaks the detector finds
// there are the events, and each of them counts. A width no longer than the sampling period keeps
// peaks as narrow as the noise's own (white noise is new at every sample), which the detector puts
// on the noise atop an event rather than on its top (a plateau read from its noise): no such width
// is advised. Where the analysis's own width keeps them all there, that height alone: ": at 0.068 V
// (68 mV) (setting 1006 = 0.068) the width filter keeps 10". Empty where the detector finds none
// there, or no such width keeps them all.
std::string NarrowAboveNoiseText(const AnalysisFindings& f, double reach, double span) {
  const std::wstring detector = DetectorCall(*f.data, kPeakDetector);
  if (detector.empty()) return std::string();
  const HeightFound most = HeightFindingMost(reach, span, [&](double h) { return PeaksWithoutWidth(f, detector, h); });
  const int32_t peaks = most.found;
  const double height = most.height;
  if (peaks <= 0) return std::string();
  const host::Recording& recording = f.data->Data();
  const std::string at = ": at " + HeightText(height, recording, static_cast<size_t>(f.channel)) + " (setting 1006 = " +
                         host::ExactNumberText(height) + ") ";
  const std::wstring call = CallAt(f, height);
  const int32_t already = EventsWith(f, call);
  if (already >= peaks) return at + FoundWords(f, already);
  const int32_t id = f.Setting(kTypeSetting) == L"1" ? kCardiacWidthSetting : kNeuronWidthSetting;
  double sampling = 0.0;  // ms
  for (const host::RecordData& record : recording.records) sampling = std::max(sampling, record.tickPeriod * 1000.0);
  double width = 0.0;
  int32_t kept = 0;
  for (const double w : SmallerWidths(f.SettingNumber(id))) {
    if (!(w > sampling)) break;
    kept = EventsWith(f, CallWithArgument(call, 2, w));
    if (kept >= peaks) {
      width = w;
      break;
    }
  }
  if (!(width > 0.0)) return std::string();
  return at + "the peak detector finds " + std::to_string(peaks) +
         ", narrower than the minimum width (setting " + std::to_string(id) + "): at " + host::NumberText(width) +
         " ms (setting " + std::to_string(id) + " = " + host::ExactNumberText(width) + ") " + FoundWords(f, kept);
}

// "; the minimum height lies in the noise ...", with the height that leaves the noise's peaks out
// and what the analysis finds at it, when it does; empty otherwise. A minimum height lies in the
// noise when it is below the noise's reach: the noise alone then rises and falls by it somewhere in
// the recording, and the detector passes such a peak, measured from the noise about it. Above the
// reach, the noise still cuts a peak's fall short where the height leaves it little room: the line
// gives the lowest of the heights from the reach up (each sqrt 2 times the last, to the trace's
// span) at which the analysis finds the most, and where it finds none at any, the width that keeps
// the peaks there (NarrowAboveNoiseText). After rows, only where that height finds other
// events than the table's: rows the height in the noise found where it finds them are the events
// (a smooth trace whose bending reads as noise), not the noise's.
std::string InNoiseText(const AnalysisFindings& f) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double reach = NoiseReach(recording, channel);
  if (!(f.SettingNumber(kHeightSetting) < reach)) return std::string();
  const double span = ChannelSpan(recording, channel);
  const HeightFound atMost = HeightFindingMost(reach, span, [&](double h) { return FoundAt(f, h); });
  const int32_t most = atMost.found;
  const double best = atMost.height;
  if (f.rows > 0 && most == f.rows && PlacesAt(f, best) == PlacesAt(f, f.SettingNumber(kHeightSetting)))
    return std::string();
  const std::string text = "; the minimum height lies in the noise, whose standard deviation is about " +
                           HeightText(std::stod(host::NumberText(ChannelNoiseSd(recording, channel), 3)), recording,
                                      channel) +
                           " and which swings by up to " + HeightText(TypedHeight(reach), recording, channel) +
                           " here: the peaks it passes are the noise's own, and a minimum height above that leaves "
                           "them out";
  if (most <= 0) {
    const std::string narrow = NarrowAboveNoiseText(f, reach, span);
    if (!narrow.empty()) return text + narrow;
    return text + ", but no minimum height above it gives action potentials alone" +
           NoActionPotentialsText(f, f.Setting(kTypeSetting));
  }
  return text + ": at " + HeightText(best, recording, channel) + " (setting 1006 = " + host::ExactNumberText(best) + ") " +
         FoundWords(f, most);
}

// "; the minimum height lies within the noise's reach of the peaks' own rise and fall ...": where
// the peak detector without a width finds no peak at the minimum height plus the noise's reach, and
// more at the minimum height less the reach (at the reach at least) than at it, the events rise and
// fall by about the minimum height, and the noise lifts some of them above it and leaves the rest
// below: a width that keeps the few it lifts is no advice. The line gives the lowest height from the noise's
// reach up that finds the most, and the width that keeps them there where the analysis's own does
// not (NarrowAboveNoiseText). Empty otherwise.
std::string HeightAtPeaksText(const AnalysisFindings& f) {
  const std::wstring detector = DetectorCall(*f.data, kPeakDetector);
  if (detector.empty()) return std::string();
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double height = f.SettingNumber(kHeightSetting), reach = NoiseReach(recording, channel);
  const auto found = [&](double h) { return PeaksWithoutWidth(f, detector, h); };
  // Below the minimum height by the reach, but not into the noise, whose own peaks would count.
  const double lower = std::max(height - reach, reach);
  if (!(height > reach) || found(height + reach) != 0 || !(found(lower) > found(height))) return std::string();
  const std::string best = NarrowAboveNoiseText(f, reach, ChannelSpan(recording, channel));
  if (best.empty()) return std::string();
  return "; the minimum height lies within the noise's reach (" + HeightText(TypedHeight(reach), recording, channel) +
         ") of the peaks' own rise and fall: the noise lifts some of them above it and leaves the rest below, and "
         "a lower one finds them" + best;
}

// "; no peak rises and falls by the minimum height: the highest that does is 0.0912 V (91.2 mV), and
// a minimum height (setting 1006) below that finds it: at 0.091 V (91 mV) (setting 1006 = 0.091) the
// width filter keeps 1", for a call that finds no peak whatever its width: the height given is the
// highest one rounded down to two figures, where its rows are action potentials alone; where they
// are not, why (NoActionPotentialsText).
std::string NoPeakText(const AnalysisFindings& f, const std::wstring& call) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double height = std::min(f.SettingNumber(kHeightSetting), ChannelSpan(recording, channel));
  const double highest = HighestHeightFound(f.data, f.formulaClass, call, height);
  if (!(highest > 0.0)) return "; no peak rises and falls by any height";
  const std::string text = "; no peak rises and falls by the minimum height: the highest that does is " +
                           HeightText(std::stod(host::NumberText(highest, 3)), recording, channel);
  const double step = std::pow(10.0, std::floor(std::log10(highest)) - 1.0);
  const double below = std::stod(host::NumberText(std::floor(highest / step) * step, 2));
  const int32_t found = FoundAt(f, below);
  if (found <= 0)
    return text + ", and no minimum height below that gives action potentials alone" +
           NoActionPotentialsText(f, f.Setting(kTypeSetting));
  return text + ", and a minimum height (setting 1006) below that finds it: at " + HeightText(below, recording, channel) +
         " (setting 1006 = " + host::ExactNumberText(below) + ") " + FoundWords(f, found);
}

// The widths tried below the width filter's minimum, from the largest: 1, 2 and 5 times the powers
// of ten from 100 s down to a hundredth of a millisecond, a fraction of a sample at the rates
// recordings are sampled at.
std::vector<double> SmallerWidths(double width) {
  std::vector<double> widths;
  for (int decade = 5; decade >= -2; --decade)
    for (const double mantissa : {5.0, 2.0, 1.0}) {
      const double w = std::stod(host::NumberText(mantissa * std::pow(10.0, decade), 2));
      if (w < width) widths.push_back(w);
    }
  return widths;
}

// The largest of the smaller minimum widths (from the largest) at which `call` (the width filter,
// or the peak detector with the width as its own minimum) finds as many of the detector's `peaks` as
// at the next smaller one, and how many: ": at 1 ms (setting 1035 = 1) the width filter keeps 36".
// Peaks of one kind have widths near each other: a width that keeps a count a smaller one does not
// change lies in the gap below them, not among them (the largest that keeps any kept 1 of 36 action
// potentials at 5 ms, 35 at 2 ms, 36 at 1 and 0.5 ms). Without such a width, the largest that keeps
// the most. Empty when it keeps none at any.
std::string SmallerWidthText(const AnalysisFindings& f, const std::wstring& call, int32_t id, int32_t peaks) {
  int32_t most = 0, last = 0, chosen = 0;
  double widest = 0.0, previous = 0.0;
  for (const double w : SmallerWidths(f.SettingNumber(id))) {
    const int32_t kept = EventsWith(f, CallWithArgument(call, 2, w));
    if (kept > 0 && kept == last) {
      chosen = kept, widest = previous;
      break;
    }
    if (kept > most) most = kept, widest = w;
    if (kept >= peaks) break;  // no narrower width keeps more
    last = kept, previous = w;
  }
  if (chosen == 0) chosen = most;
  if (chosen <= 0) return std::string();
  const bool filter = call.find(kWidthFilter) == 0;
  return ": at " + host::NumberText(widest) + " ms (setting " + std::to_string(id) + " = " + host::ExactNumberText(widest) +
         ") " + (filter ? "the width filter keeps " : "the peak detector finds ") + std::to_string(chosen);
}

// Where the recording's rate lies outside those recordings are made at, its times were most
// likely written in ms or minutes and read as seconds, and a width counts in them: "; at 300000 Hz,
// above the rates recordings are made at, the times read as seconds are most likely minutes, and
// widths count in them: put the times in seconds first". Empty otherwise.
std::string RateDoubtText(const AnalysisFindings& f) {
  const std::vector<host::RecordData>& records = f.data->Data().records;
  const double period = records.empty() ? 0.0 : records.front().tickPeriod;
  if (!(period > 0.0)) return std::string();
  const double rate = 1.0 / period;
  const bool high = rate > host::kHighestUsualRate;
  if (!high && !(rate < host::kHighestMsRate)) return std::string();
  return "; at " + host::NumberText(rate) + " Hz, " + (high ? "above" : "below") +
         " the rates recordings are made at, the times read as seconds are most likely " +
         (high ? "minutes" : "ms") + ", and widths count in them: put the times in seconds first";
}

// "; or the width filter off (setting 1036 = f), ...: the peak detector then keeps 12", where the
// detector with the minimum width as its own (its third argument) keeps any; empty otherwise.
std::string FilterOffText(const AnalysisFindings& f, const std::wstring& call, int32_t widthId) {
  const int32_t kept = EventsWith(f, CallWithArgument(call, 2, f.SettingNumber(widthId)));
  if (kept <= 0) return std::string();
  return "; or the width filter off (setting 1036 = f), which leaves the minimum width to the peak detector: a peak "
         "counts where it falls by the minimum height no sooner than half that width after its top, and the peak "
         "detector then keeps " + std::to_string(kept);
}

// How many peaks the detector found before the width filter took them out, and what keeps them.
// None: the minimum height is higher than every peak's rise and fall. Where the minimum height lies
// in the noise, the noise's own peaks and the pieces it splits a plateau into, which a higher one
// leaves out. Otherwise each is a peak of its own, which a smaller minimum width keeps: the line
// gives the largest that keeps any, unless the rate says the times were read in the wrong unit
// (RateDoubtText), which the widths count in. Empty when the detector does not run alone.
std::string UnfilteredPeaksText(const AnalysisFindings& f, int32_t widthId) {
  const std::string widthSetting = "setting " + std::to_string(widthId);
  const std::wstring call = DetectorCall(*f.data, kPeakDetector);
  const int32_t peaks = call.empty() ? -1 : EventsFound(f.data, f.formulaClass, call);
  if (peaks < 0) return std::string();
  if (peaks == 0) return ": the peak detector found none before it" + NoPeakText(f, call);
  const std::string found = ": the peak detector found " + std::to_string(peaks) + " before it";
  const std::string noise = InNoiseText(f);
  if (!noise.empty()) return found + noise;
  const std::string lower = HeightAtPeaksText(f);
  if (!lower.empty()) return found + lower;
  // Widths counted in times read in the wrong unit are no advice: the times come first.
  const std::string rate = RateDoubtText(f);
  if (!rate.empty()) return found + ", peaks of their own rather than pieces of wider ones" + rate;
  const std::string smaller = SmallerWidthText(f, DetectorCall(*f.data, kWidthFilter), widthId, peaks);
  const std::string off = FilterOffText(f, call, widthId);
  if (!smaller.empty())
    return found + ", peaks of their own rather than pieces of wider ones: a smaller minimum width (" + widthSetting +
           ") keeps them" + smaller + off;
  const std::string none = ", but no smaller minimum width (" + widthSetting + ") keeps action potentials alone";
  return found + none + (off.empty() ? NoActionPotentialsText(f, widthId == kCardiacWidthSetting ? L"1" : L"5") : off);
}

// The minimum width that drops peaks: the width filter's when it is on; without it the peak
// detector still drops a peak whose fall by the minimum height comes sooner than half the width
// after it, which the noise's peaks do where the minimum height lies in the noise; peaks of their
// own a smaller minimum width keeps (SmallerWidthText). Where no peak rises and falls by the
// minimum height at all, the height that finds one instead.
std::string WidthText(const AnalysisFindings& f, const std::wstring& type) {
  const int32_t id = type == L"1" ? kCardiacWidthSetting : kNeuronWidthSetting;
  const double width = f.SettingNumber(id);
  const std::string setting = "setting " + std::to_string(id);
  const bool filtered = SettingText(f, kWidthFilterSetting) == "t";
  if (filtered && width > 0.0)
    return "; the width filter (setting 1036) leaves out peaks narrower than " + SettingText(f, id) +
           " ms at half height (" + setting + ")" + UnfilteredPeaksText(f, id);
  // The detector without its own minimum width.
  const std::wstring call = CallWithArgument(DetectorCall(*f.data, kPeakDetector), 2, 0.0);
  const int32_t peaks = call.empty() ? -1 : EventsFound(f.data, f.formulaClass, call);
  if (peaks == 0) return NoPeakText(f, call);
  if (filtered || !(width > 0.0)) return std::string();
  const std::string dropped = "; the width filter is off (setting 1036 = f), but the peak detector still drops a peak "
                              "that falls by the minimum height within " + host::NumberText(width / 2) + " ms, half of " +
                              setting + " (" + SettingText(f, id) + " ms)";
  const std::string noise = InNoiseText(f);
  if (!noise.empty()) return dropped + noise;
  const std::string lower = HeightAtPeaksText(f);
  if (!lower.empty()) return dropped + lower;
  // Peaks of their own, which a smaller minimum width keeps.
  const std::string smaller = peaks > 0 ? SmallerWidthText(f, call, id, peaks) : "";
  if (!smaller.empty()) return dropped + ": a smaller minimum width (" + setting + ") keeps them" + smaller;
  return dropped + ", and no smaller minimum width keeps action potentials alone" + NoActionPotentialsText(f, type);
}

// "; 2 of them are no action potentials: ...", where some of the analysis's own rows are not
// (JudgeRows), with the lowest minimum height out of the noise whose rows all are and that finds
// the most, else the width that keeps them (NarrowAboveNoiseText), else why none does. Empty where
// every row is an action potential.
std::string NotActionPotentialsText(const AnalysisFindings& f) {
  const JudgedRows own = JudgeRows(f, CallAt(f, f.SettingNumber(kHeightSetting)));
  if (own.rows <= 0 || own.AllEvents()) return std::string();
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double reach = NoiseReach(recording, channel), span = ChannelSpan(recording, channel);
  const int32_t others = own.rows - own.events;
  const std::string text = "; " + std::to_string(others) + " of them " +
                           (others == 1 ? "is no action potential" : "are no action potentials") +
                           ": an amplitude (APA) below the noise's reach (" +
                           HeightText(TypedHeight(reach), recording, channel) +
                           ") or below 0, or a resting level (RMP) on another event's plateau or fall";
  const HeightFound best = HeightFindingMost(reach, span, [&](double h) { return FoundAt(f, h); });
  if (best.found > 0)
    return text + ": at " + HeightText(best.height, recording, channel) + " (setting 1006 = " +
           host::ExactNumberText(best.height) + ") " + FoundWords(f, best.found);
  const std::string narrow = NarrowAboveNoiseText(f, reach, span);
  if (!narrow.empty()) return text + narrow;
  return text + ", and no minimum height out of the noise gives action potentials alone" +
         NoActionPotentialsText(f, f.Setting(kTypeSetting));
}

// "0.05 V (50 mV)", then what most likely kept the peaks out: a height above all the trace spans
// (typed in the channel's unit, probably, when the user typed it), or the minimum width.
std::string MinimumHeightText(const AnalysisFindings& f, const std::wstring& type) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double height = f.SettingNumber(kHeightSetting);
  std::string text = "minimum height " + HeightText(height, recording, channel);
  const double span = ChannelSpan(recording, channel);
  if (height <= span) {
    if (type != L"1" && type != L"5") return text;
    const std::string downward = DownwardText(f, type);
    return text + (downward.empty() ? WidthText(f, type) : downward);
  }
  text += ", more than the whole trace spans (" + host::NumberText(span, 3) + BaseUnitText(recording, channel) + ")";
  const std::string hint = f.Typed(kHeightSetting) ? BaseUnitHint(height, span, recording, channel) : std::string();
  return hint.empty() ? text : text + ": " + hint;
}

// "; downward, --set \"1010=1 0 -1 ...\", the detector finds 27", where the other direction finds events.
std::string OtherDirectionText(const AnalysisFindings& f, const host::DetectionValues& values) {
  const bool downward = values.polarity < 0.0;
  const std::string turned = TurnedDetectionWords(f, downward ? 1 : -1);
  return turned.empty() ? turned : std::string("; ") + (downward ? "upward, " : "downward, ") + turned;
}

// The detection text's direction and threshold, and what the other direction finds, else what a lower
// threshold finds (LowerThresholdWords); an absolute threshold above all the trace spans was typed in the
// channel's unit, probably, and gets the hint the minimum height gets.
std::string CycleDetectionText(const AnalysisFindings& f) {
  const std::wstring detection = f.Setting(kCycleDetectionSetting);
  const std::string unit = BaseUnitText(f.data->Data(), static_cast<size_t>(f.channel));
  std::string text = "detection settings 1010 = " + host::QuoteInput(DetectionAsTyped(f)) +
                     ": the third number is the direction (1 upward, -1 downward), the fifth " +
                     host::DetectionThresholdWords(detection, unit.empty() ? "the channel's units" : unit.substr(1));
  host::DetectionValues values;
  if (f.channel < 0 || !values.FromText(detection)) return text;
  const std::string other = OtherDirectionText(f, values);
  text += other;
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double span = ChannelSpan(recording, channel);
  // A threshold that finds nothing either way, and was not typed in the channel's unit: a lower one
  // that finds events.
  const std::string lower = other.empty() ? LowerThresholdWords(f) : std::string();
  if (values.IsRelativeThreshold() || !(values.minPeakHeight > span)) return text + lower;
  text += "; " + HeightText(values.minPeakHeight, recording, channel) + " is more than the whole trace spans (" +
          host::NumberText(span, 3) + unit + ")";
  const std::string hint = BaseUnitHint(values.minPeakHeight, span, recording, channel);
  return hint.empty() ? text + lower : text + ": " + hint;
}

}  // namespace

std::wstring AnalysisFindings::Setting(int32_t id) const { return DocumentSettingText(settings, id); }

double AnalysisFindings::SettingNumber(int32_t id) const { return std::wcstod(Setting(id).c_str(), nullptr); }

std::string NoEventsLine(const AnalysisFindings& f) {
  const std::wstring type = f.Setting(kTypeSetting);
  const bool stimulated = type == L"3" || type == L"4";
  if (f.rows > 0 && (f.channel < 0 || !f.data)) return std::string();
  // Stimuli of a stimulus height in the noise are partly the noise's own, and what follows them
  // tells nothing of the responses: that comes first.
  if (f.rows > 0 && stimulated) {
    std::string noise = StimulusInNoiseWords(f);
    if (noise.empty()) {
      const std::string none = NoResponseWords(f);
      if (!none.empty()) return none;
      noise = ResponseInNoiseWords(f);
    }
    return noise.empty() ? noise : "found " + std::to_string(f.rows) + (f.rows == 1 ? " event" : " events") + noise;
  }
  // Rows of an upward type on a trace whose peaks point down are the noise on the rest between them.
  // Rows of a minimum height in the noise are the noise's own peaks, or pieces of the events it
  // splits, as they are where it finds none; rows of one the events barely rise by, those the noise
  // lifted above it.
  if (f.rows > 0) {
    const bool heights = type == L"1" || type == L"5";
    std::string why = heights ? DownwardText(f, type) : type == L"0" || type == L"2" ? CycleDownwardText(f) : "";
    if (why.empty() && heights) why = InNoiseText(f);
    if (why.empty() && heights) why = HeightAtPeaksText(f);
    if (why.empty() && heights) why = NotActionPotentialsText(f);
    return why.empty() ? why : "found " + std::to_string(f.rows) + (f.rows == 1 ? " event" : " events") + why;
  }
  const std::string head = "found 0 events";
  if (type == L"0" || type == L"2") return head + ": " + CycleDetectionText(f);
  if (f.channel < 0 || !f.data) return head;
  const std::string stimulus = stimulated ? NoStimulusWords(f) : std::string();
  if (!stimulus.empty()) return head + ": " + stimulus;
  if (type != L"1" && type != L"3" && type != L"5") return head;
  return head + ": " + MinimumHeightText(f, type);
}

}  // namespace ondara_host
