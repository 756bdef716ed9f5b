// The line that names the records whose unsearched start may hold an event.
#include "host/app/UnsearchedStartLine.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/AnalyzeInputs.h"
#include "host/cycles/CycleScan.h"
#include "host/cycles/DetectionSettings.h"
#include "host/data/ChannelSampleSource.h"

#include <cstdio>

namespace ondara_host {

namespace {

host::CycleRules RulesOf(const host::DetectionValues& v, double tickPeriod) {
  const double arguments[6] = {v.polarity < 0.0 ? 1.0 : 0.0, v.hysteresis, v.minPeakHeight,
                               v.minIntervalMs,              v.baselineMs, v.relative};
  return host::RulesFromArguments(arguments, 6, tickPeriod);
}

}  // namespace

std::string UnsearchedStartLine(IDocumentSettingsScript* settings, const host::Recording& recording,
                                int32_t channel) {
  const std::wstring type = DocumentSettingText(settings, kTypeSetting);
  host::DetectionValues values;
  if ((type != L"0" && type != L"2") || channel < 0 ||
      !values.FromText(DocumentSettingText(settings, kCycleDetectionSetting)))
    return "";
  std::string records;
  int32_t span = 0;
  double spanMs = 0.0;
  for (size_t r = 0; r < recording.records.size(); ++r) {
    const host::RecordData& record = recording.records[r];
    if (static_cast<size_t>(channel) >= record.samples.size() || !record.samples[channel]) continue;
    const host::CycleRules rules = RulesOf(values, record.tickPeriod);
    const host::ChannelRecord& samples = *record.samples[channel];
    if (!host::CrossesInRunIn(rules, samples.Samples(), samples.Length())) continue;
    records += (records.empty() ? "" : ", ") + std::to_string(r + 1);
    span = host::CycleRunInSamples(rules);
    spanMs = span * record.tickPeriod * 1000.0;
  }
  if (records.empty()) return "";
  char text[80];
  std::snprintf(text, sizeof(text), "the first %d samples (%.3g ms)", static_cast<int>(span), spanMs);
  return "record " + records + " (counted from 1): the signal reaches the cycle detector's threshold within " +
         text + ", where the detector measures its baseline and noise and does not search for events";
}

}  // namespace ondara_host
