// The cycle detector's settings (1010) as the analyze command's lines quote them back: as typed, and turned
// to the other direction with a threshold that finds events rather than the noise.
#pragma once

#include "host/app/NoEventsLine.h"

#include <string>

namespace ondara_host {

// The detection settings as they were given, each number as it was typed (the settings keep every
// figure a double holds), with their third number, the direction, another when `direction` is
// not 0: "1 0 -1 0.5 0.03 5 100 0 0 0".
std::string DetectionAsTyped(const AnalysisFindings& findings, int direction = 0);

// "--set \"1010=1 0 -1 0.5 3 5 100 1 0 0\", the detector finds 10": the detection settings turned to
// `direction`, and how many events the detector finds with them; empty where it finds none.
//
// An event the detector finds is the noise's where its size (its extreme from the trough it rose
// from) is within the noise's reach from its level, half the trough-to-peak reach (NoiseReach): the
// noise alone stands that far from the level somewhere in the recording, and a real event of that
// size is not told from it. Where the threshold given finds such events, it lies in the noise: the
// words give instead the lowest threshold from it up (each sqrt 2 times the last, two figures, in
// the threshold's own unit, at most 9 standard deviations or the trace's span) at which every event
// found stands beyond that reach, and say how many the threshold given found within it; where no
// threshold does, they say that after the settings turned as given.
std::string TurnedDetectionWords(const AnalysisFindings& findings, int direction);

// "; lower, --set \"1010=1 0 -1 0.5 3.5e-11 5 100 0 0 0\", the detector finds 10": for settings that
// find no event in the direction given, a threshold below the one given (each sqrt 2 times less,
// two figures) at which every event the detector finds stands beyond the noise's reach from its
// level (as TurnedDetectionWords weighs them), no lower than that reach (an absolute threshold) or
// 0.05 standard deviations: the first whose count the next lower one keeps (the gap below events
// of one size), else the highest that finds the most. Empty where none finds any.
std::string LowerThresholdWords(const AnalysisFindings& findings);

}  // namespace ondara_host
