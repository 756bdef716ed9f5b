// Heights on an analysis channel as the analyze command's lines write them: in the base unit the
// settings keep, with the channel's own unit beside it.
#pragma once

#include "host/data/Recording.h"

#include <string>

namespace ondara_host {

// From the channel's lowest sample to its highest over every record, in the base unit.
double ChannelSpan(const host::Recording& recording, size_t channel);

// The base unit of the channel with a leading blank (" V"); empty for a channel without units.
std::string BaseUnitText(const host::Recording& recording, size_t channel);

// "0.0005 V (0.5 mV)" for a channel in mV; "0.0005 V" for one in V.
std::string HeightText(double height, const host::Recording& recording, size_t channel);

// What a height typed in the channel's unit would have been meant as: "heights are in base units,
// 5e-05 for 0.05 mV"; empty for a channel whose unit has no prefix.
std::string BaseUnitHint(double height, const host::Recording& recording, size_t channel);

}  // namespace ondara_host
