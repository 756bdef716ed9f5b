// The words for stimuli not found, or found without a response.
#include "host/app/StimulusLine.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/ChannelHeightText.h"
#include "host/app/ChannelNoise.h"
#include "host/app/DetectorCall.h"
#include "host/app/DownwardSearch.h"
#include "host/app/EventRecordFormat.h"
#include "host/app/EventRun.h"
#include "host/app/HeightFindingMost.h"
#include "host/common/MessageText.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <iomanip>
#include <locale>
#include <sstream>
#include <exception>
#include <utility>
#include <vector>

namespace ondara_host {

namespace {

constexpr wchar_t kPulseDetector[] = L"erstimdet(";

std::string SettingWords(const AnalysisFindings& f, int32_t id) { return host::ExactNumberText(f.SettingNumber(id)); }

// The stimuli the call finds over the recording; -1 when it does not run.
int32_t StimuliFound(const AnalysisFindings& f, const std::wstring& call) {
  return EventsFound(f.data, f.formulaClass, call);
}

// The stimuli the analysis measured, and how many of them a response followed.
struct MeasuredStimuli {
  int32_t stimuli = 0;
  int32_t responses = 0;
  std::vector<std::string> measured;  // each stimulus's place and what its response measured, empty without one
  int32_t longest = 0;                // the longest interval between stimuli of a record, ticks
};

// The formula with `count` arguments of a search (`call`, as "erpeakdet(") replaced by text: those right after the
// search's second argument, the stimulus detector's call; unchanged without the search or those arguments.
std::wstring WithSearchArguments(std::wstring formula, const wchar_t* call, int count, const std::wstring& text) {
  constexpr size_t kNone = std::wstring::npos;
  const size_t search = formula.find(call);
  const size_t channel = search == kNone ? search : formula.find(L',', search);
  if (channel == kNone) return formula;
  size_t i = channel + 1;
  for (int depth = 0; i < formula.size() && !(formula[i] == L',' && depth == 0); ++i) {
    if (formula[i] == L'(') ++depth;
    if (formula[i] == L')') --depth;
  }
  if (i >= formula.size()) return formula;
  size_t end = i;
  for (int k = 0; k < count && end != kNone; ++k) end = formula.find(L',', end + 1);
  if (end == kNone) return formula;
  return formula.replace(i + 1, end - i - 1, text);
}

// The formula with the response search's minimum height (erpeakdet's third argument) given as height.
std::wstring WithResponseHeight(std::wstring formula, double height) {
  std::wostringstream text;
  text.imbue(std::locale::classic());
  text << L' ' << std::setprecision(17) << height;
  return WithSearchArguments(std::move(formula), L"erpeakdet(", 1, text.str());
}

// The formula with the population spike search's window (pspeakdet's third and fourth arguments) from `from` to
// `to` ms.
std::wstring WithSpikeWindow(std::wstring formula, double from, double to) {
  std::wostringstream text;
  text.imbue(std::locale::classic());
  text << std::setprecision(17) << L' ' << from << L", " << to;
  return WithSearchArguments(std::move(formula), L"pspeakdet(", 2, text.str());
}

// The analysis's whole formula (the object setting 2025 names) run again: it writes one
// calculation record (kind 3) for each stimulus, whose value is blank when no response followed:
// a stimulus measured alone, or without a whole population spike. Nothing when it does not run.
// height > 0 runs it with that minimum height of a response instead of the analysis's own; a
// window (start below end, ms) runs a population spike search over it instead.
MeasuredStimuli MeasureStimuli(const AnalysisFindings& f, host::DataDocument* data, double height = 0.0,
                               double start = 0.0, double end = 0.0) {
  MeasuredStimuli measured;
  std::string lastRecord;
  int32_t lastTick = 0;
  const auto id = static_cast<int32_t>(f.SettingNumber(kCalculationObjectSetting));
  const std::vector<host::DataObject>& objects = f.data->Objects().Objects();
  const auto object =
      std::find_if(objects.begin(), objects.end(), [id](const host::DataObject& o) { return o.id == id; });
  host::EventRunOptions options;
  std::string output;
  std::wstring error;
  if (object != objects.end())
    options.formula = height > 0.0 ? WithResponseHeight(object->formula, height) : object->formula;
  if (start < end) options.formula = WithSpikeWindow(options.formula, start, end);
  if (options.formula.empty() || FAILED(host::RunEventFormula(data, f.formulaClass, options, &output, &error)))
    return measured;
  for (const host::EventCells& e : host::ReadEventLines(output)) {
    if (e.kind != "3") continue;
    ++measured.stimuli;
    if (!e.value.empty()) ++measured.responses;
    measured.measured.push_back(e.record + ":" + e.tick + (e.value.empty() ? std::string() : "=" + e.value));
    const int32_t tick = std::atoi(e.tick.c_str());
    if (e.record == lastRecord) measured.longest = std::max(measured.longest, tick - lastTick);
    lastRecord = e.record, lastTick = tick;
  }
  return measured;
}

// A population spike is the deepest trough between two peaks that the search finds after a
// stimulus, and a window that ends before the spike does, or starts after it, holds none. The
// search ends at the next stimulus whatever window it is given, so the window that holds each
// spike is the whole interval between stimuli. It starts 1 ms after the stimulus, past an
// artefact's top (which at 0 passes for the spike's first peak), or where that measures fewer
// spikes, at 0 or at the window's own start, whichever measures the most (a start later than the
// spike's first peak cuts it off). ": from 1 ms (setting 1007 = 1) to 100 ms (setting 1008 = 100)
// after the stimulus, up to the next, it finds 16 population spikes"; empty where none measures any.
std::string SpikeWindowWords(const AnalysisFindings& f, const MeasuredStimuli& measured) {
  const std::vector<host::RecordData>& records = f.data->Data().records;
  const double period = records.empty() ? 0.0 : records.front().tickPeriod * 1000.0;  // ms
  double end = measured.longest > 0 ? measured.longest * period : 0.0;
  if (!(end > 0.0)) end = f.SettingNumber(kResponseEndSetting);
  end = std::stod(host::NumberText(end, 2));
  MeasuredStimuli best;
  double from = 0.0;
  for (const double start : {1.0, 0.0, f.SettingNumber(kResponseStartSetting)}) {
    if (!(start < end)) continue;
    const MeasuredStimuli found = MeasureStimuli(f, f.data, 0.0, start, end);
    if (found.responses > best.responses) best = found, from = start;
  }
  if (best.responses <= 0) return std::string();
  return ": from " + host::NumberText(from) + " ms (setting 1007 = " + host::ExactNumberText(from) + ") to " +
         host::NumberText(end) + " ms (setting 1008 = " + host::ExactNumberText(end) +
         ") after the stimulus, up to the next, it finds " + std::to_string(best.responses) +
         (best.responses == 1 ? " population spike" : " population spikes");
}

// The recording with the analysis channel turned over, as a document of its own: a downward
// response there is an upward one, and a pulse of either sign still a stimulus.
host::HostPtr<host::DataDocument> TurnedOver(const host::Recording& recording, size_t channel) {
  host::Recording turned;
  turned.channels = recording.channels;
  for (const host::RecordData& record : recording.records) {
    turned.records.push_back(record);
    if (channel >= record.samples.size() || !record.samples[channel]) continue;
    std::vector<float> samples(record.samples[channel]->Samples(),
                               record.samples[channel]->Samples() + record.samples[channel]->Length());
    for (float& sample : samples) sample = -sample;
    turned.records.back().samples[channel] = host::MakeChannelRecord(record.tickPeriod, true);
    turned.records.back().samples[channel]->Append(samples.data(), static_cast<int32_t>(samples.size()));
  }
  return host::DataDocument::Create(std::move(turned));
}

// "; turned over, 16 of them have one: the responses point down, ...", where more than the `found`
// the analysis measured have one turned over, with the cycle detector's
// downward search that finds them as events of their own (FindDownward, its interval at most 2 ms)
// and how many it finds, measured from the rest, the level the channel holds longest (an
// artefact and a response are brief beside it), when the analysis run on the channel turned over
// measures responses (of at least the height that search finds them at, where it finds any: a
// minimum height above the responses misses them either way up, or at its own minimum height);
// where the search's height measures fewer of them than that, they are within the noise's reach,
// and the words say so instead of the search. Empty otherwise.
std::string DownwardResponseWords(const AnalysisFindings& f, int32_t found) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  if (channel >= recording.channels.size() || !recording.channels[channel].formula.empty()) return std::string();
  host::HostPtr<host::DataDocument> turned;
  try {
    turned = TurnedOver(recording, channel);
  } catch (const std::exception&) {
    return std::string();
  }
  const DownwardSearch search = FindDownward(f, 2.0);
  const int32_t atSearch = search.found > 0 ? MeasureStimuli(f, turned.Get(), search.threshold).responses : 0;
  const int32_t responses = std::max(atSearch, MeasureStimuli(f, turned.Get()).responses);
  if (responses <= found) return std::string();
  const std::string text = "; turned over, " + std::to_string(responses) + " of them have one: the responses point "
                           "down, and Evoked Response measures upward ones only";
  // Responses the search passes over swing no further than the noise: no threshold finds them alone.
  if (atSearch < responses)
    return text + "; they are no bigger than the noise swings (" +
           HeightText(TypedHeight(NoiseReach(recording, channel)), recording, channel) +
           "), and no threshold finds them alone";
  const double rest = ChannelLongestLevel(recording, channel, ChannelNoiseSd(recording, channel));
  return text + ": find them as events of their own with General - Unstimulated, measured from the rest, --type 0 "
         "--set \"1010=" + search.detection + "\" --set 1039=1 --set 1040=" + host::NumberText(rest, 3) + " (it finds " +
         std::to_string(search.found) + "; an artefact's downward swing is an event too, at the stimulus)";
}

std::string PulseWords(const AnalysisFindings& f, const std::wstring& call) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const int32_t heightId = f.SettingNumber(kTypeSetting) == 3 ? kStimulusHeightSetting : kSpikeStimulusHeightSetting;
  const double height = f.SettingNumber(heightId);
  const std::string width = SettingWords(f, kStimulusWidthSetting);
  std::string words = "the stimulus method (setting 1000 = " + SettingWords(f, kStimulusMethodSetting) +
                      ") looks for a pulse of at least " + HeightText(height, recording, channel) +
                      " up or down and back within " + width + " ms (settings " + std::to_string(heightId) +
                      " and 1003); ";
  // No pulse is higher than the channel spans.
  const double biggest = HighestHeightFound(f.data, f.formulaClass, call, std::min(height, ChannelSpan(recording, channel)));
  words += biggest > 0.0 ? "the biggest on channel " + std::to_string(f.channel + 1) + " is " +
                               HeightText(std::stod(host::NumberText(biggest, 3)), recording, channel)
                         : "channel " + std::to_string(f.channel + 1) + " has no pulse that comes back within " +
                               width + " ms";
  const double reach = biggest > 0.0 ? biggest : ChannelSpan(recording, channel);
  const std::string hint = f.Typed(heightId) ? BaseUnitHint(height, reach, recording, channel) : std::string();
  return hint.empty() ? words : words + "; " + hint;
}

// The lowest of the minimum heights from the noise's reach up (each sqrt 2 times the last, to the
// trace's span) at which the analysis measures the most responses, in *height, and what it measures
// there; none measured where it finds none at any.
MeasuredStimuli MostResponsesOutOfNoise(const AnalysisFindings& f, double* height) {
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double span = ChannelSpan(recording, channel);
  MeasuredStimuli best;
  *height = HeightFindingMost(NoiseReach(recording, channel), span, [&](double h) {
    const MeasuredStimuli measured = MeasureStimuli(f, f.data, h);
    if (measured.responses > best.responses) best = measured;
    return measured.responses;
  }).height;
  return best;
}

// ": at 0.0056 V (5.6 mV) (setting 1006 = 0.0056) it finds 16 responses after the 16 stimuli".
std::string FindsAtWords(const AnalysisFindings& f, const MeasuredStimuli& measured, double height) {
  return ": at " + HeightText(height, f.data->Data(), static_cast<size_t>(f.channel)) + " (setting 1006 = " +
         host::ExactNumberText(height) + ") it finds " + std::to_string(measured.responses) +
         (measured.responses == 1 ? " response" : " responses") + " after the " + std::to_string(measured.stimuli) +
         " stimuli";
}

}  // namespace

std::string ResponseInNoiseWords(const AnalysisFindings& f) {
  if (f.SettingNumber(kTypeSetting) != 3 || f.Setting(kResponseSearchSetting) == L"f") return std::string();
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double reach = NoiseReach(recording, channel);
  const double height = f.SettingNumber(kHeightSetting);
  if (!(height < reach)) return std::string();
  double at = 0.0;
  const MeasuredStimuli best = MostResponsesOutOfNoise(f, &at);
  if (best.responses > 0 && best.measured == MeasureStimuli(f, f.data).measured) return std::string();
  const std::string text = "; the minimum height (setting 1006 = " + host::ExactNumberText(height) +
                           ") lies in the noise, whose standard deviation is about " +
                           HeightText(std::stod(host::NumberText(ChannelNoiseSd(recording, channel), 3)), recording,
                                      channel) +
                           " and which swings by up to " + HeightText(TypedHeight(reach), recording, channel) +
                           " here: the responses it passes may be the noise's own, and a minimum height above that "
                           "leaves them out";
  // Above the noise, more turned over than upward: the responses point down.
  const std::string downward = DownwardResponseWords(f, best.responses);
  if (!downward.empty()) return text + downward;
  if (best.responses <= 0) return text + ", but the analysis finds no response that rises and falls by more";
  return text + FindsAtWords(f, best, at);
}

std::string NoStimulusWords(const AnalysisFindings& f) {
  const std::string head = "no stimulus found: ";
  if (f.SettingNumber(kStimulusMethodSetting) == 2)
    return head + "the stimulus method (setting 1000 = 2) puts one " + SettingWords(f, kStimulusTimeSetting) +
           " ms after the start of each record (setting 1005), and no record analysed is that long";
  const std::wstring call = DetectorCall(*f.data, kPulseDetector);
  if (call.empty() || StimuliFound(f, call) != 0) return std::string();
  return head + PulseWords(f, call);
}

std::string StimulusInNoiseWords(const AnalysisFindings& f) {
  const double method = f.SettingNumber(kStimulusMethodSetting);
  if (method != 3 && method != 4) return std::string();
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const int32_t heightId = f.SettingNumber(kTypeSetting) == 3 ? kStimulusHeightSetting : kSpikeStimulusHeightSetting;
  const double height = f.SettingNumber(heightId);
  const double reach = std::stod(host::NumberText(NoiseReach(recording, channel) / 2.0, 3));
  if (!(height < reach)) return std::string();
  const double sd = std::stod(host::NumberText(ChannelNoiseSd(recording, channel), 3));
  return "; the stimulus height (setting " + std::to_string(heightId) + " = " + host::NumberText(height) +
         ") lies in the noise, whose standard deviation is about " + HeightText(sd, recording, channel) +
         " and one of whose samples stands up to " + HeightText(reach, recording, channel) +
         " from the level here: such a sample is a pulse too, and takes a stimulus's place or adds one. Count the "
         "rows against the stimuli given, and give a stimulus height above that and below the artefact's";
}

std::string NoResponseWords(const AnalysisFindings& f) {
  const MeasuredStimuli measured = MeasureStimuli(f, f.data);
  const int32_t n = measured.stimuli, found = measured.responses;
  if (n == 0 || found >= n) return std::string();
  const std::string stimuli = std::to_string(n) + (n == 1 ? " stimulus, " : " stimuli, ");
  const std::string window = SettingWords(f, kResponseStartSetting) + "-" + SettingWords(f, kResponseEndSetting) + " ms";
  const bool evoked = f.SettingNumber(kTypeSetting) == 3 && f.Setting(kResponseSearchSetting) != L"f";
  // Some responses: a line only where more point down than the analysis found pointing up, or a
  // height out of the noise measures more of them (below).
  const std::string downward = evoked ? DownwardResponseWords(f, found) : std::string();
  if (found > 0 && downward.empty() && !evoked) return std::string();
  if (f.SettingNumber(kTypeSetting) == 4)
    return stimuli + "none with a population spike in " + window + " (settings 1007 and 1008)" +
           SpikeWindowWords(f, measured);
  if (!evoked) return stimuli + "none with a response: the response search is off (setting 1009 = f)";
  const double height = f.SettingNumber(kHeightSetting);
  const std::string at = HeightText(height, f.data->Data(), f.channel) + " in " + window + " (settings 1006 to 1008)";
  const std::string some = found == 0 ? "none with a response of at least " + at
                                      : "a response after " + std::to_string(found) + " of them at a minimum height of " + at;
  if (!downward.empty()) return stimuli + some + downward;
  // Upward responses the minimum height passes over, all of them or some (responses a little
  // smaller than it, by the noise's reach): the height out of the noise that measures the most,
  // where that is more. A height in the noise is said after the rows (ResponseInNoiseWords).
  if (found > 0 && height < NoiseReach(f.data->Data(), static_cast<size_t>(f.channel))) return std::string();
  double other = 0.0;
  const MeasuredStimuli best = MostResponsesOutOfNoise(f, &other);
  if (best.responses > found) return stimuli + some + FindsAtWords(f, best, other);
  return found == 0 ? stimuli + some : std::string();
}

}  // namespace ondara_host
