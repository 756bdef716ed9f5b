// The noise on an analysis channel, as the analyze command's lines weigh a minimum height against it.
#pragma once

#include "host/data/Recording.h"

namespace ondara_host {

// The standard deviation of the channel's noise, in the base unit, over every record: the largest of
// the robust spreads (the median absolute deviation times 1.4826, over sqrt 6) of the second
// differences x[i] - 2 x[i - L] + x[i - 2L] at the lags L = 1, 2, 4 and 8 samples. A signal's slope
// cancels in them; white noise shows at every lag, and noise low-passed over a few samples, whose
// neighbours differ little, at the longer ones. An event's rise, an artefact and a bend move only a
// minority of them, which the medians pass over; a signal that bends more than its noise swings over
// most of the trace reads as that bending.
//
// Where more than half the differences at every lag are 0 (tied or coarsely quantised samples), the
// data's resolution (host::ResolutionStep over sqrt 12), as the cycle detector's noise gauge takes it.
// 0 for a channel that never moves, has no samples, or is tied without a recurring step.
double ChannelNoiseSd(const host::Recording& recording, size_t channel);

// How far the noise alone swings from a trough to a peak somewhere on the channel: twice the
// largest of n normal samples, sd sqrt(2 ln n), n the channel's samples over every record. A minimum
// height below it lets the noise's own peaks through somewhere in the recording, above it hardly
// any; low-passed noise has fewer independent samples and swings less, so that it errs high.
double NoiseReach(const host::Recording& recording, size_t channel);

}  // namespace ondara_host
