// The line an analysis without events ends with.
#include "host/app/NoEventsLine.h"

#include "host/app/AnalysisTarget.h"
#include "host/common/MessageText.h"
#include "host/common/UnitText.h"

#include <cmath>
#include <cstdio>
#include <cwchar>

namespace ondara_host {

namespace {

constexpr int32_t kTypeSetting = 2000;
constexpr int32_t kHeightSetting = 1006;
constexpr int32_t kCycleDetectionSetting = 1010;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.6g", value);
  return text;
}

// "50 V (50000 mV): heights are in base units, 0.05 for 50 mV" for a channel in mV.
std::string HeightText(double height, const std::wstring& units) {
  const host::UnitParts parts = host::SplitUnitText(units);
  std::string text = Number(height) + (parts.baseUnit.empty() ? "" : " " + host::Utf8FromWide(parts.baseUnit));
  if (parts.prefix == 0) return text;
  const std::string unit = host::Utf8FromWide(units);
  const double inChannelUnit = height / std::pow(10.0, host::UnitPrefixPower(parts.prefix));
  return text + " (" + Number(inChannelUnit) + " " + unit + "): heights are in base units, " +
         Number(host::ToBaseUnit(height, parts.prefix)) + " for " + Number(height) + " " + unit;
}

}  // namespace

std::string NoEventsLine(IDocumentSettingsScript* settings, const host::Recording& recording, int32_t channel) {
  const std::string head = "found 0 events";
  const std::wstring type = DocumentSettingText(settings, kTypeSetting);
  if (type == L"0" || type == L"2")
    return head + ": detection settings 1010 = " + host::QuoteInput(DocumentSettingText(settings, kCycleDetectionSetting)) +
           ": the third number is the direction (1 upward, -1 downward), the fifth the threshold in standard "
           "deviations of the noise";
  if (type != L"1" && type != L"3" && type != L"5") return head;
  const std::wstring height = DocumentSettingText(settings, kHeightSetting);
  const double value = std::wcstod(height.c_str(), nullptr);
  const std::wstring units = channel >= 0 && static_cast<size_t>(channel) < recording.channels.size()
                                 ? recording.channels[static_cast<size_t>(channel)].units
                                 : std::wstring();
  return head + ": minimum height " + HeightText(value, units);
}

}  // namespace ondara_host
