// ZR::Doc::GlobalSettings: the settings of a data file's analysis that no channel owns.
#pragma once

#include "document/SettingsGroup.h"

namespace ZR::Doc {

// The 31 settings with ids 2000 to 2030, at their defaults, in their stream order.
class GlobalSettings final : public SettingsGroup {
 public:
  GlobalSettings();
};

}  // namespace ZR::Doc
