// The line that names the records that open within an event.
#include "host/app/UnsearchedStartLine.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/AnalyzeInputs.h"
#include "host/cycles/CycleScan.h"
#include "host/cycles/DetectionSettings.h"
#include "host/cycles/NoiseGauge.h"
#include "host/data/ChannelSampleSource.h"

#include <array>

namespace ondara_host {

std::string UnsearchedStartLine(IDocumentSettingsScript* settings, const host::Recording& recording,
                                int32_t channel) {
  const std::wstring type = DocumentSettingText(settings, kTypeSetting);
  host::DetectionValues values;
  if ((type != L"0" && type != L"2") || channel < 0 ||
      !values.FromText(DocumentSettingText(settings, kCycleDetectionSetting)))
    return "";
  const std::array<double, 6> arguments = values.Arguments();
  const auto count = static_cast<int32_t>(arguments.size());
  std::string records, shortRecords;
  int32_t least = 0;  // the samples a first measure needs, where every short record's rate gives the same
  bool oneLeast = true;
  for (size_t r = 0; r < recording.records.size(); ++r) {
    const host::RecordData& record = recording.records[r];
    if (static_cast<size_t>(channel) >= record.samples.size() || !record.samples[channel]) continue;
    const host::CycleRules rules = host::RulesFromArguments(arguments.data(), count, record.tickPeriod);
    const host::ChannelRecord& samples = *record.samples[channel];
    if (host::TooShortToMeasure(rules, samples.Length())) {
      const int32_t needs = host::NoiseGauge::LeastTicks(rules.baselineTicks);
      oneLeast = oneLeast && (shortRecords.empty() || needs == least);
      least = needs;
      shortRecords += (shortRecords.empty() ? "" : ", ") + std::to_string(r + 1);
    }
    else if (host::OpensWithinEvent(rules, samples.Samples(), samples.Length()))
      records += (records.empty() ? "" : ", ") + std::to_string(r + 1);
  }
  std::string lines;
  if (!records.empty())
    lines = "record " + records + " (counted from 1): opens within an event, the signal standing the cycle " +
            "detector's threshold beyond the level measured at its start, or falling by the threshold within its " +
            "first " + std::to_string(host::kCycleOpeningSamples) + " samples before any event starts: that " +
            "event's start lies before the record, and it is not found";
  if (!shortRecords.empty())
    lines += std::string(lines.empty() ? "" : "\n") + "record " + shortRecords + " (counted from 1): shorter " +
             "than the " + (oneLeast ? std::to_string(least) + " " : "") + "samples (half the BASELINE span, in " +
             "whole groups of a sixteenth of it) over which the relative threshold first measures the noise: " +
             "searched for no event";
  return lines;
}

}  // namespace ondara_host
