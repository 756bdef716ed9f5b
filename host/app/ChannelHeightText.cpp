// Heights written in the base unit and the channel's own.
#include "host/app/ChannelHeightText.h"

#include "host/common/MessageText.h"
#include "host/common/UnitText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace ondara_host {

namespace {

std::wstring ChannelUnits(const host::Recording& recording, size_t channel) {
  return channel < recording.channels.size() ? recording.channels[channel].units : L"";
}

// The channel's lowest and highest sample over every record; +infinity and -infinity without samples.
struct Extremes {
  float lowest = HUGE_VALF;
  float highest = -HUGE_VALF;
};

Extremes ChannelExtremes(const host::Recording& recording, size_t channel) {
  Extremes e;
  for (const host::RecordData& record : recording.records) {
    if (channel >= record.samples.size() || !record.samples[channel]) continue;
    const float* const samples = record.samples[channel]->Samples();
    const int32_t length = record.samples[channel]->Length();
    for (int32_t i = 0; i < length; ++i) {
      e.lowest = std::min(e.lowest, samples[i]);
      e.highest = std::max(e.highest, samples[i]);
    }
  }
  return e;
}

}  // namespace

double ChannelSpan(const host::Recording& recording, size_t channel) {
  const Extremes e = ChannelExtremes(recording, channel);
  return e.highest >= e.lowest ? static_cast<double>(e.highest) - e.lowest : 0.0;
}

double ChannelLowest(const host::Recording& recording, size_t channel) {
  return ChannelExtremes(recording, channel).lowest;
}

double ChannelLongestLevel(const host::Recording& recording, size_t channel, double width) {
  const double span = ChannelSpan(recording, channel);
  // At most a million bands: a band narrower than that says no more of where the rest lies.
  width = std::max(width, span * 1e-6);
  if (!(width > 0.0)) width = 1.0;
  std::vector<int64_t> counts(static_cast<size_t>(span / width) + 1);
  float lowest = HUGE_VALF;
  for (const host::RecordData& record : recording.records)
    if (channel < record.samples.size() && record.samples[channel])
      for (int32_t i = 0; i < record.samples[channel]->Length(); ++i)
        lowest = std::min(lowest, record.samples[channel]->Samples()[i]);
  if (!(lowest < HUGE_VALF)) return 0.0;
  for (const host::RecordData& record : recording.records)
    if (channel < record.samples.size() && record.samples[channel])
      for (int32_t i = 0; i < record.samples[channel]->Length(); ++i) {
        const double band = (static_cast<double>(record.samples[channel]->Samples()[i]) - lowest) / width;
        if (band >= 0.0) ++counts[std::min(counts.size() - 1, static_cast<size_t>(band))];
      }
  const size_t most = static_cast<size_t>(std::max_element(counts.begin(), counts.end()) - counts.begin());
  return lowest + (static_cast<double>(most) + 0.5) * width;
}

std::string BaseUnitText(const host::Recording& recording, size_t channel) {
  const host::UnitParts parts = host::SplitUnitText(ChannelUnits(recording, channel));
  return parts.baseUnit.empty() ? "" : " " + host::Utf8FromWide(parts.baseUnit);
}

double TypedHeight(double height) {
  if (!(height > 0.0)) return height;
  const double step = std::pow(10.0, std::floor(std::log10(height)) - 1);
  return std::stod(host::NumberText(std::ceil(height / step - 1e-9) * step, 2));
}

std::string HeightText(double height, const host::Recording& recording, size_t channel) {
  const std::wstring units = ChannelUnits(recording, channel);
  const host::UnitParts parts = host::SplitUnitText(units);
  // As many figures as the height was typed with.
  const int figures = host::ExactFigures(height);
  std::string text = host::NumberText(height, figures) + BaseUnitText(recording, channel);
  if (parts.prefix != 0)
    text += " (" + host::ScaledNumberText(height, -host::UnitPrefixPower(parts.prefix), figures) + " " +
            host::Utf8FromWide(units) + ")";
  return text;
}

std::string BaseUnitHint(double height, double reach, const host::Recording& recording, size_t channel) {
  const std::wstring units = ChannelUnits(recording, channel);
  const host::UnitParts parts = host::SplitUnitText(units);
  if (parts.prefix == 0 || !(height > 0.0 && reach > 0.0)) return std::string();
  // How many decades the number lies from the reach, read in the base unit and in the channel's.
  const double decades = std::log10(height) - std::log10(reach);
  const double asBase = std::fabs(decades);
  const double asChannel = std::fabs(decades + host::UnitPrefixPower(parts.prefix));
  if (!(asChannel < asBase)) return std::string();
  // The figures the height was typed with.
  const int figures = host::ExactFigures(height);
  return "heights are in base units, " + host::ScaledNumberText(height, host::UnitPrefixPower(parts.prefix), figures) +
         " for " + host::NumberText(height, figures) + " " + host::Utf8FromWide(units);
}

}  // namespace ondara_host
