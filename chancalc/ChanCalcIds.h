// The numbers of the module's channel calculation classes under ZRChanCalcGUID (hostclient/DocViewIds.h).
#pragma once

#include "hostclient/DocViewIds.h"
#include "hostclient/TypeIds.h"

#include <cstdint>

namespace ZR::ChanCalc {

// Numbers of the calculation class and of its settings class under ZRChanCalcGUID.
inline constexpr uint16_t kCalculationNumber = 0;
inline constexpr uint16_t kSettingsNumber = 1;
using SettingsTypeId = TypeIdClass<&ZRChanCalcGUID, kSettingsNumber>;

}  // namespace ZR::ChanCalc
