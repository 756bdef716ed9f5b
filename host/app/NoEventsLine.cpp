// The line an analysis without events ends with.
#include "host/app/NoEventsLine.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/AnalyzeInputs.h"
#include "host/common/MessageText.h"
#include "host/common/UnitText.h"
#include "host/data/ChannelSampleSource.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>

namespace ondara_host {

namespace {

std::string Number(double value, int figures = 6) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.*g", figures, value);
  return text;
}

// From the channel's lowest sample to its highest over every record, in the base unit.
double ChannelSpan(const host::Recording& recording, size_t channel) {
  float lowest = HUGE_VALF, highest = -HUGE_VALF;
  for (const host::RecordData& record : recording.records) {
    if (channel >= record.samples.size() || !record.samples[channel]) continue;
    const float* const samples = record.samples[channel]->Samples();
    const int32_t length = record.samples[channel]->Length();
    for (int32_t i = 0; i < length; ++i) {
      lowest = std::min(lowest, samples[i]);
      highest = std::max(highest, samples[i]);
    }
  }
  return highest >= lowest ? static_cast<double>(highest) - lowest : 0.0;
}

// "50 V (50000 mV)" for a channel in mV, then what most likely kept the peaks out: a height above
// all the trace spans (typed in the channel's unit, probably), or the width filter.
std::string HeightText(IDocumentSettingsScript* settings, const std::wstring& type, const host::Recording& recording,
                       size_t channel) {
  const double height = std::wcstod(DocumentSettingText(settings, kHeightSetting).c_str(), nullptr);
  const std::wstring units = channel < recording.channels.size() ? recording.channels[channel].units : L"";
  const host::UnitParts parts = host::SplitUnitText(units);
  const std::string base = parts.baseUnit.empty() ? "" : " " + host::Utf8FromWide(parts.baseUnit);
  const std::string unit = host::Utf8FromWide(units);
  std::string text = Number(height) + base;
  if (parts.prefix != 0)
    text += " (" + Number(height / std::pow(10.0, host::UnitPrefixPower(parts.prefix))) + " " + unit + ")";
  const double span = ChannelSpan(recording, channel);
  if (height > span) {
    text += ", more than the whole trace spans (" + Number(span, 3) + base + ")";
    if (parts.prefix != 0)
      text += ": heights are in base units, " + Number(host::ToBaseUnit(height, parts.prefix)) + " for " +
              Number(height) + " " + unit;
    return text;
  }
  if ((type == L"1" || type == L"5") && DocumentSettingText(settings, kWidthFilterSetting) == L"t") {
    const int32_t width = type == L"1" ? kCardiacWidthSetting : kNeuronWidthSetting;
    text += "; the width filter (setting 1036) leaves out peaks narrower than " +
            host::Utf8FromWide(DocumentSettingText(settings, width)) + " ms at half height (setting " +
            std::to_string(width) + ")";
  }
  return text;
}

}  // namespace

std::string NoEventsLine(IDocumentSettingsScript* settings, const host::Recording& recording, int32_t channel) {
  const std::string head = "found 0 events";
  const std::wstring type = DocumentSettingText(settings, kTypeSetting);
  if (type == L"0" || type == L"2")
    return head + ": detection settings 1010 = " + host::QuoteInput(DocumentSettingText(settings, kCycleDetectionSetting)) +
           ": the third number is the direction (1 upward, -1 downward), the fifth the threshold in standard "
           "deviations of the noise";
  if ((type != L"1" && type != L"3" && type != L"5") || channel < 0) return head;
  return head + ": minimum height " + HeightText(settings, type, recording, static_cast<size_t>(channel));
}

}  // namespace ondara_host
