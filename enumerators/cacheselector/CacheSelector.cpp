// The cache selectors' settings text, output record and Find answer.
#include "enumerators/cacheselector/CacheSelector.h"

#include <locale>
#include <sstream>
#include <string>

#include "base/TickConversion.h"
#include "enumerators/framework/ParamsBase.h"

namespace ZR::Enum::CacheSelector {

void CacheSelectorFields::Load(const wchar_t* text) {
  std::wistringstream in{std::wstring(text)};
  in.imbue(std::locale::classic());
  double type = 0.0;
  double index = 0.0;
  EEH3::ReadSettingsDouble(in, type);
  EEH3::ReadSettingsDouble(in, index);
  EEH3::ReadSettingsDouble(in, factor);
  analysisType = TruncHalfUpToInt32Sat(type);
  calcIndex = TruncHalfUpToInt32Sat(index);
}

QOR::String CacheSelectorFields::Save() const {
  std::wostringstream out;
  out.imbue(std::locale::classic());
  out << analysisType << L' ' << calcIndex << L' ';
  EEH3::WriteSettingsDouble(out, factor);
  return QOR::String(out.str().c_str());
}

SelectedValueRecord CacheSelectorFields::Select(const EventFCalc& event) const noexcept {
  TickFraction at;
  at.Set(static_cast<double>(event.tick) + static_cast<double>(event.fraction));
  SelectedValueRecord out;
  out.tick = at.tick;
  out.fraction = at.fraction;
  out.value = WidenFloatBits(event.GetValueBitsByIndex(calcIndex)) * factor;
  return out;
}

HRESULT CacheSelectorFields::AnswerFind(const EventFCalc* found, bool backward, int32_t start,
                                        int32_t end) noexcept {
  if (!found) {
    position = 0;
    return S_FALSE;
  }
  position = found->tick;
  if (backward) return position < start ? S_FALSE : S_OK;
  return position >= end ? S_FALSE : S_OK;
}

}  // namespace ZR::Enum::CacheSelector
