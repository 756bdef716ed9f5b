// Test signals built from formulas: the self-checks' cardiac signal, and the path of committed reference data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// 1/(0.01+(1-sin(5t)))^2 * 0.0001 + threshold(sin(5t-2.5), 0.5) * (sin(5t-2.5) - 0.5) * (1 + 0.1t), with
// threshold(x, l) = 1 where x > l else 0, t = i / sampleRate seconds from the record start; computed in double
// and stored as float.
std::vector<float> CardiacSignal(int32_t sampleCount, double sampleRate = 1000.0);

// Path of a file under tests/data/ of the source tree.
std::string TestDataPath(const char* name);

}  // namespace testsupport
