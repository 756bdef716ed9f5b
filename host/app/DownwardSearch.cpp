// The threshold of a downward search that finds a channel's events and leaves its noise out.
#include "host/app/DownwardSearch.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/ChannelHeightText.h"
#include "host/app/ChannelNoise.h"
#include "host/app/DetectorCall.h"
#include "host/app/EventRecordFormat.h"
#include "host/app/EventRun.h"
#include "host/common/MessageText.h"
#include "host/cycles/DetectionSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace ondara_host {

namespace {

// A threshold the user can type: two figures.
double TypedThreshold(double height) { return std::stod(host::NumberText(height, 2)); }

host::DetectionValues Downward(double threshold, double intervalMs) {
  host::DetectionValues values;
  values.polarity = -1.0;
  values.minPeakHeight = threshold;
  values.minIntervalMs = intervalMs;
  values.baselineMs = 50.0;
  values.relative = 0.0;
  return values;
}

std::wstring Call(const AnalysisFindings& f, const host::DetectionValues& values) {
  return std::wstring(host::kCycleDetectorName) + L"( ch" + std::to_wstring(f.channel + 1) + L", " +
         values.FormulaArguments() + L")";
}

int32_t FoundWith(const AnalysisFindings& f, const host::DetectionValues& values) {
  return EventsFound(f.data, f.formulaClass, Call(f, values));
}

// "1 0 -1 0.5 0.016 4 50 0 0 0", its numbers as short as they read.
std::string DetectionText(double threshold, double intervalMs) {
  return "1 0 -1 0.5 " + host::ExactNumberText(threshold) + " " + host::ExactNumberText(intervalMs) + " 50 0 0 0";
}

// The median width at half height, ms, of the events the search finds: about each event's extreme
// (where the detector puts it), the samples beyond halfway from the rest to it. 0 without events.
double HalfWidthMs(const AnalysisFindings& f, const host::DetectionValues& values, double rest) {
  host::EventRunOptions options;
  options.formula = Call(f, values);
  std::string output;
  std::wstring error;
  if (FAILED(host::RunEventFormula(f.data, f.formulaClass, options, &output, &error))) return 0.0;
  const std::vector<host::RecordData>& records = f.data->Data().records;
  const size_t channel = static_cast<size_t>(f.channel);
  std::vector<double> widths;
  for (const host::EventCells& e : host::ReadEventLines(output)) {
    const size_t record = std::strtoul(e.record.c_str(), nullptr, 10);
    if (record >= records.size() || channel >= records[record].samples.size() || !records[record].samples[channel])
      continue;
    const float* const x = records[record].samples[channel]->Samples();
    const int32_t length = records[record].samples[channel]->Length();
    const int32_t tick = static_cast<int32_t>(std::strtol(e.tick.c_str(), nullptr, 10));
    if (tick < 0 || tick >= length) continue;
    const double half = (rest + x[tick]) / 2;
    int32_t first = tick, last = tick;
    while (first > 0 && x[first - 1] < half) --first;
    while (last + 1 < length && x[last + 1] < half) ++last;
    widths.push_back((last - first + 1) * records[record].tickPeriod * 1000.0);
  }
  if (widths.empty()) return 0.0;
  std::nth_element(widths.begin(), widths.begin() + widths.size() / 2, widths.end());
  return widths[widths.size() / 2];
}

}  // namespace

DownwardSearch FindDownward(const AnalysisFindings& f, double longestMs) {
  DownwardSearch search;
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double reach = NoiseReach(recording, channel);
  const double span = ChannelSpan(recording, channel);
  double best = 0.0;
  for (double height = reach; height > 0.0 && height < span; height *= std::sqrt(2.0)) {
    const double typed = TypedThreshold(height);
    const int32_t found = FoundWith(f, Downward(typed, longestMs));
    if (found > search.found) search.found = found, best = typed;
  }
  if (search.found <= 0) return search;
  // The events' own width, as long as the interval may be.
  const double rest = ChannelLongestLevel(recording, channel, ChannelNoiseSd(recording, channel));
  const double width = HalfWidthMs(f, Downward(best, longestMs), rest);
  const double interval = width > 0.0 ? std::min(longestMs, std::stod(host::NumberText(width, 2))) : longestMs;
  if (interval != longestMs) search.found = FoundWith(f, Downward(best, interval));
  const double minimum = f.SettingNumber(kHeightSetting);
  const int32_t atMinimum = minimum > reach && minimum < span ? FoundWith(f, Downward(minimum, interval)) : 0;
  if (atMinimum >= search.found) search.found = atMinimum, best = minimum;
  search.threshold = best;
  search.detection = DetectionText(best, interval);
  return search;
}

}  // namespace ondara_host
