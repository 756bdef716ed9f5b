// Heights on an analysis channel as the analyze command's lines write them: in the base unit the
// settings keep, with the channel's own unit beside it.
#pragma once

#include "host/data/Recording.h"

#include <string>

namespace ondara_host {

// From the channel's lowest sample to its highest over every record, in the base unit.
double ChannelSpan(const host::Recording& recording, size_t channel);

// The channel's lowest sample over every record, in the base unit; +infinity for a channel without samples.
double ChannelLowest(const host::Recording& recording, size_t channel);

// The level the channel holds longest, in the base unit: the middle of the band `width` wide (its
// samples counted in bands from the lowest) that most samples fall in, over every record; a
// flat rest between events, however brief or long the events. 0 for a channel without samples.
double ChannelLongestLevel(const host::Recording& recording, size_t channel, double width);

// The base unit of the channel with a leading blank (" V"); empty for a channel without units.
std::string BaseUnitText(const host::Recording& recording, size_t channel);

// A height the user can type: rounded up to two figures, so that it is never below the one meant.
double TypedHeight(double height);

// "0.0005 V (0.5 mV)" for a channel in mV; "0.0005 V" for one in V.
std::string HeightText(double height, const host::Recording& recording, size_t channel);

// What a height above all the channel reaches (its span, or its biggest pulse) would have been
// meant as when it was typed in the channel's unit: "heights are in base units, 5e-05 for 0.05 mV".
// Only where the number reads nearer the reach in the channel's unit than in the base unit (50 on
// a trace spanning 0.1 V reads as 50 mV; 0.1 there is plainly 0.1 V); empty otherwise, and for a
// channel whose unit has no prefix.
std::string BaseUnitHint(double height, double reach, const host::Recording& recording, size_t channel);

}  // namespace ondara_host
