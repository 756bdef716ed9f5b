// What the analyze command says when an evoked-response or population-spike analysis found no
// stimulus, or stimuli that no response followed.
#pragma once

#include "host/app/NoEventsLine.h"

#include <cstdint>
#include <string>

namespace ondara_host {

// "no stimulus found: ..." when the analysis's stimulus detector finds none: the stimulus method
// (setting 1000), what it looks for and, for a pulse, the biggest one the detector would take on
// the channel (found by running it with lower heights). Empty when it finds stimuli.
std::string NoStimulusWords(const AnalysisFindings& findings);

// "3 stimuli, none with a response of at least 0.03 V in 0-100 ms (settings 1006 to 1008)" when
// the analysis, run again, measures stimuli and no response after any of them; "16 stimuli, a
// response after 1 of them at a minimum height of ...; turned over, 16 of them have one: the
// responses point down, ..." where it measures a few and the channel turned over more (the few
// are the noise's). Where the responses do not point down, the lowest minimum height from the
// noise's reach up (each sqrt 2 times the last) that measures the most responses, and how many
// (": at 0.0056 V (5.6 mV) (setting 1006 = 0.0056) it finds 16 responses after the 16 stimuli"),
// also after some responses, where the minimum height lies out of the noise and that height
// measures more. For Population Spike without a spike, the window up to the next stimulus that
// finds them (": from 1 ms (setting 1007 = 1) to 100 ms (setting 1008 = 100) after the stimulus,
// up to the next, it finds 16 population spikes"). Empty otherwise.
std::string NoResponseWords(const AnalysisFindings& findings);

// "; the stimulus height (setting 1002 = ...) lies in the noise, ..." when the stimulus is found as
// a pulse and one sample of the noise stands as far from the level as the height: the noise's own
// pulses then take stimuli's places, or add stimuli. The reach is half the noise's trough-to-peak
// reach (a pulse counts from the level before it, not from a trough). Empty otherwise.
std::string StimulusInNoiseWords(const AnalysisFindings& findings);

// "; the minimum height (setting 1006 = 0.0005) lies in the noise, ...: at 0.0073 V (7.3 mV) (setting
// 1006 = 0.0073) it finds 16 responses after the 16 stimuli" for Evoked Response where the minimum
// height of a response lies below the noise's reach (NoiseReach: the noise alone rises and falls
// by it somewhere in the recording, so that a peak of the noise after a stimulus passes for its
// response, or comes before it) and the responses found differ from those at the lowest of the
// heights from the reach up (each sqrt 2 times the last, to the trace's span) that finds the most:
// the rows a height in the noise measures where the responses stand above it are the responses.
// Where more stimuli have a response turned over than at that height, the words that say the
// responses point down (as NoResponseWords's) instead of that height. Empty otherwise.
std::string ResponseInNoiseWords(const AnalysisFindings& findings);

}  // namespace ondara_host
