// The threshold of a downward search that finds a channel's events and leaves its noise out.
#include "host/app/DownwardSearch.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/ChannelHeightText.h"
#include "host/app/ChannelNoise.h"
#include "host/app/DetectorCall.h"
#include "host/common/MessageText.h"
#include "host/cycles/DetectionSettings.h"

#include <cmath>

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

int32_t FoundWith(const AnalysisFindings& f, const host::DetectionValues& values) {
  const std::wstring call = std::wstring(host::kCycleDetectorName) + L"( ch" + std::to_wstring(f.channel + 1) +
                            L", " + values.FormulaArguments() + L")";
  return EventsFound(f.data, f.formulaClass, call);
}

// "1 0 -1 0.5 0.016 4 50 0 0 0", its numbers as short as they read.
std::string DetectionText(double threshold, double intervalMs) {
  return "1 0 -1 0.5 " + host::ExactNumberText(threshold) + " " + host::ExactNumberText(intervalMs) + " 50 0 0 0";
}

}  // namespace

DownwardSearch FindDownward(const AnalysisFindings& f, double intervalMs) {
  DownwardSearch search;
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double reach = NoiseReach(recording, channel);
  const double span = ChannelSpan(recording, channel);
  double best = 0.0;
  for (double height = reach; height > 0.0 && height < span; height *= std::sqrt(2.0)) {
    const double typed = TypedThreshold(height);
    const int32_t found = FoundWith(f, Downward(typed, intervalMs));
    if (found > search.found) search.found = found, best = typed;
  }
  const double minimum = f.SettingNumber(kHeightSetting);
  if (minimum > reach && minimum < span && search.found > 0 &&
      FoundWith(f, Downward(minimum, intervalMs)) >= search.found)
    best = minimum;
  if (search.found > 0) search.detection = DetectionText(best, intervalMs);
  return search;
}

}  // namespace ondara_host
