// The texts of event tooltips: peaks, stimuli, population spikes and calculated peaks.
#pragma once

#include "hostclient/EventDrawContext.h"

#include <cstdint>
#include <string>

// "ZR: Peak <n> stimulus" for a stimulus, else peakWord followed by n.
std::wstring PeakOrStimulusTooltip(bool stimulus, int32_t n, const wchar_t* peakWord);
// "ZR: Population Spike <n>".
std::wstring PopulationSpikeTooltip(int32_t n);
// "ZR: Peak <n>; Height = <height in the prefixed unit> <prefix><unit>; Duration = <s> s"; the
// height is measured in the base unit and divided by the prefix's multiplier.
std::wstring CalculatedPeakTooltip(int32_t n, float height, const QOR::UnitWithPrefix& unit,
                                   double durationSeconds);
