// The class GUID of the module's channel calculation and the type ids made from it.
#pragma once

#include "hostclient/TypeIds.h"

#include <windows.h>

// {249FD174-208F-4374-809F-ABC8021889BB}
inline constexpr GUID ZRChanCalcGUID = {
    0x249FD174, 0x208F, 0x4374, {0x80, 0x9F, 0xAB, 0xC8, 0x02, 0x18, 0x89, 0xBB}};

namespace ZR::ChanCalc {

// Numbers of the calculation class and of its settings class under ZRChanCalcGUID.
inline constexpr uint16_t kCalculationNumber = 0;
inline constexpr uint16_t kSettingsNumber = 1;
using SettingsTypeId = TypeIdClass<&ZRChanCalcGUID, kSettingsNumber>;

}  // namespace ZR::ChanCalc
