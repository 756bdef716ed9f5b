// The cardiac test signal's samples and the independent reference for the baseline, extreme and second-baseline
// stages over it and over its negation (tests/data/calc_stages_reference.py).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace calcstages {

struct ReferenceEvent {
  int32_t sign = 1;
  int32_t detectorTick = 0;
  double detectorValue = 0.0;
  int32_t tick = 0;
  double value = 0.0;
  double baseline = 0.0;
  int32_t baseStart = 0, baseEnd = 0;
  double polarity = 1.0;
  double maxValue = 0.0;
  int32_t maxTick = 0, peakStart = 0, peakEnd = 0, limit = 0;
  double lowest = 0.0, highest = 0.0;
  int32_t tauStart = 0, tauEnd = 0;
  double ahp = 0.0;  // NaN when the signal did not come back to the baseline
  int32_t ahpEnd = 0, midPlateau = 0, plateauCentre = 0;
};

// Absolute path of a file in tests/data (found from this source file's location).
std::string TestDataPath(const char* name);
std::vector<float> CardiacSamples();
std::vector<ReferenceEvent> CardiacReference(int32_t sign);

}  // namespace calcstages

struct EventBCalcBase2;

namespace calcstages {

// Checks every field the three stages write against the reference, event by event.
void ExpectMatchesReference(const std::vector<::EventBCalcBase2>& out, const std::vector<ReferenceEvent>& ref);

}  // namespace calcstages
