// ZR::Doc::Settings1: the settings of one analysis channel, with the Table View's column switches.
#pragma once

#include "document/SettingsGroup.h"

#include <cstdint>

namespace ZR::Doc {

class ParamCatalogue;

// The 42 detector and calculation settings (ids 1000 to 1041) at their defaults, then one
// Bool column switch per listed parameter id (setting id = parameter id, page 3) whose type
// mask holds the types the catalogue lists that parameter for (none without a catalogue).
class Settings1 final : public SettingsGroup {
 public:
  explicit Settings1(const ParamCatalogue* catalogue);

  // Setting 1037 (tau mode) takes the value of its older form, Bool setting 1019.
  void Upgrade() override;

  int32_t GetChannel() const noexcept { return mChannel; }
  void SetChannel(int32_t channel) noexcept { mChannel = channel; }

 private:
  void AddColumnSwitches(const ParamCatalogue* catalogue);

  int32_t mChannel = 1;
};

}  // namespace ZR::Doc
