// The texts of event tooltips (peaks, stimuli, population spikes and calculated peaks) and of an
// event's time.
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
// The time of an event at position ticks into its record, in seconds: "<s> s"; empty when the
// tick period is unknown (0 or less).
std::wstring EventTimeText(int32_t position, double secondsPerTick);
