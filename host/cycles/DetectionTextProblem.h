// What is wrong with a text given as the cycle detector's settings, in the words of a one-line message.
#pragma once

#include <string>

namespace host {

// Empty when the text reads as the detector's settings and they are valid. Otherwise the words saying
// why not, naming the number at fault by its place, its value and the values it takes ("the fifth
// number (the threshold, in standard deviations of the noise) is 12: it takes 0.05 to 9"), or how many
// numbers the text holds when it is all numbers but not ten. Empty too for a text that is not numbers
// at all: the caller's own words say that.
std::string DetectionTextProblem(const std::wstring& text);

// The fifth number's meaning as the detector uses it: "the threshold, in standard deviations of the
// noise" while the threshold is relative, else "the threshold above the baseline, in UNIT".
std::string DetectionThresholdWords(const std::wstring& text, const std::string& unit);

}  // namespace host
