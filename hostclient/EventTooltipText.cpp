// The texts of event tooltips. They are shown to the user, so numbers take the process's
// global locale (the user's decimal separator, no digit grouping) in the default format.
#include "hostclient/EventTooltipText.h"

#include "base/OStringStream.h"
#include "base/UnitPrefix.h"

namespace {

std::wstring TextOf(QOR::OStringStream& text) {
  const QOR::String written = text.str();
  return std::wstring(written.GetText(), written.GetText() + written.Length());
}

}  // namespace

std::wstring PeakOrStimulusTooltip(bool stimulus, int32_t n, const wchar_t* peakWord) {
  QOR::OStringStream text;
  if (stimulus) text << L"ZR: Peak " << n << L" stimulus";
  else text << peakWord << n;
  return TextOf(text);
}

std::wstring PopulationSpikeTooltip(int32_t n) {
  return PeakOrStimulusTooltip(false, n, L"ZR: Population Spike ");
}

std::wstring CalculatedPeakTooltip(int32_t n, float height, const QOR::UnitWithPrefix& unit,
                                   double durationSeconds) {
  const double multiplier = QOR::PrefixMultiplier(unit.prefix);
  const std::wstring unitText = QOR::FormatUnitPrefix(unit);
  QOR::OStringStream text;
  text << L"ZR: Peak " << n << L"; Height = " << (height / multiplier) << L" " << unitText.c_str()
       << L"; Duration = " << durationSeconds << L" s";
  return TextOf(text);
}

std::wstring EventTimeText(int32_t position, double secondsPerTick) {
  if (!(secondsPerTick > 0.0)) return std::wstring();
  QOR::OStringStream text;
  text << position * secondsPerTick << L" s";
  return TextOf(text);
}
