// The texts of event tooltips. They are shown to the user, so numbers take the process's
// global locale (the user's decimal separator, no digit grouping) in the default format.
#include "hostclient/EventTooltipText.h"

#include "base/OStringStream.h"

#include <cmath>

namespace {

std::wstring TextOf(QOR::OStringStream& text) {
  const QOR::String written = text.str();
  return std::wstring(written.GetText(), written.GetText() + written.Length());
}

}  // namespace

int UnitPrefixPower(wchar_t prefix) noexcept {
  switch (prefix) {
    case L'p': return -12;
    case L'n': return -9;
    case L'u': case 0x00B5: return -6;
    case L'm': return -3;
    case L'k': return 3;
    case L'M': return 6;
    case L'G': return 9;
    default: return 0;
  }
}

std::wstring PeakOrStimulusTooltip(bool stimulus, int32_t n, const wchar_t* peakWord) {
  QOR::OStringStream text;
  if (stimulus) text << L"ZR: Peak " << n << L" stimulus";
  else text << peakWord << n;
  return TextOf(text);
}

std::wstring PopulationSpikeTooltip(int32_t n) {
  return PeakOrStimulusTooltip(false, n, L"ZR: Population Spike ");
}

std::wstring CalculatedPeakTooltip(int32_t n, float height, const EventChannelUnit& unit,
                                   double durationSeconds) {
  const double multiplier = std::pow(10.0, unit.prefix ? UnitPrefixPower(unit.prefix) : 0);
  std::wstring unitText = unit.baseUnit;
  if (unit.prefix) unitText.insert(unitText.begin(), unit.prefix);
  QOR::OStringStream text;
  text << L"ZR: Peak " << n << L"; Height = " << (height / multiplier) << L" " << unitText
       << L"; Duration = " << durationSeconds << L" s";
  return TextOf(text);
}
