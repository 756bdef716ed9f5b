// The texts of event tooltips: peaks, stimuli, population spikes and calculated peaks.
#pragma once

#include "hostclient/EventDrawContext.h"

#include <cstdint>
#include <string>

// "ZR: Peak <n> stimulus" for a stimulus, else peakWord followed by n.
std::wstring PeakOrStimulusTooltip(bool stimulus, int32_t n, const wchar_t* peakWord);
// "ZR: Population Spike <n>".
std::wstring PopulationSpikeTooltip(int32_t n);
// "ZR: Peak <n>; Height = <height in the prefix's units> <prefix><unit>; Duration = <s> s";
// an unknown prefix leaves the height undivided.
std::wstring CalculatedPeakTooltip(int32_t n, float height, const EventChannelUnit& unit,
                                   double durationSeconds);
// The power of ten of a unit prefix character; 0 for none or one not known.
int UnitPrefixPower(wchar_t prefix) noexcept;
