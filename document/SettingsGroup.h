// ZR::Doc::SettingsGroup: an owning list of settings in creation order.
#pragma once

#include "base/CIArray.h"
#include "document/ZRSetting.h"

#include <cstdint>

namespace ZR::Doc {

class SettingsGroup {
 public:
  SettingsGroup() = default;
  SettingsGroup(const SettingsGroup&) = delete;
  SettingsGroup& operator=(const SettingsGroup&) = delete;
  virtual ~SettingsGroup() = default;

  // True when every setting that applies to the analysis type is valid; a type outside 0 to 5
  // checks nothing.
  virtual bool IsValid(int analysisType) const;
  // Brings values read from an old stream (group version 0) up to date.
  virtual void Upgrade() {}

  // Copies by position (groups of one class share their order): directly when the setting
  // can, else through its classic text.
  void CopyValues(const SettingsGroup& from);
  // The first setting with that id, or null.
  ZRSetting* FindById(SettingId id) const noexcept;
  uint32_t Count() const noexcept { return mSettings.Count(); }
  ZRSetting* At(uint32_t i) const noexcept { return mSettings.At(i); }

 protected:
  // Takes ownership.
  void Add(ZRSetting* setting);

 private:
  CIArray<ZRSetting> mSettings{0, 16};
};

}  // namespace ZR::Doc
