// ZR::Doc::SettingsGroup: an owning list of settings in creation order.
#include "document/SettingsGroup.h"

#include <algorithm>
#include <memory>

namespace ZR::Doc {

bool SettingsGroup::IsValid(int analysisType) const {
  for (uint32_t i = 0; i < Count(); ++i) {
    const ZRSetting* setting = At(i);
    if (setting->AppliesTo(analysisType) && !setting->IsValid()) return false;
  }
  return true;
}

void SettingsGroup::CopyValues(const SettingsGroup& from) {
  const uint32_t count = std::min(Count(), from.Count());
  for (uint32_t i = 0; i < count; ++i) {
    ZRSetting* target = At(i);
    const ZRSetting* source = from.At(i);
    if (!target->CopyFrom(*source)) target->FromText(source->ToText(true), true);
  }
}

ZRSetting* SettingsGroup::FindById(SettingId id) const noexcept {
  for (uint32_t i = 0; i < Count(); ++i) {
    if (At(i)->Id() == id) return At(i);
  }
  return nullptr;
}

void SettingsGroup::Add(ZRSetting* setting) {
  std::unique_ptr<ZRSetting> owned(setting);
  mSettings.Add(owned.get());
  owned.release();
}

}  // namespace ZR::Doc
