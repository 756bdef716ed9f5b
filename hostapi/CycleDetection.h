// Host per-cycle measurement extension (Periodix): the per-cycle event record its detector enumerators yield
// and the parameters of its detector. Its settings objects and preset service: hostapi/PXDetectionSettings.h.
#pragma once

#include <cstdint>

// One cycle found by the host's detector (16 bytes, records back to back): the cycle's position as a whole tick
// and the rest (the cycle's extreme sample in the detection's direction, the peak of an upward cycle and the
// trough of a downward one, so the fraction is 0), and its value, the extreme height of the cycle above the
// local trough it rose from, in the channel's units. A cycle the detector cannot measure has a NaN value.
struct CycleEventRecord {
  int32_t tick;
  float fraction;
  double value;
};
static_assert(sizeof(CycleEventRecord) == 16, "per-cycle records are 16 bytes");

// Parameter indexes of the extension's detection-settings objects (IPXDetectionSettings, hostapi/
// PXDetectionSettings.h) beside those the module uses (kPXParamChannel, kPXParamMinHeight,
// kPXParamPositiveOnly).
enum CycleDetectionParam : int32_t {
  kDetectPolarity = 1,       // +1 cycles rise above the baseline, -1 they fall below it
  kDetectHysteresis = 2,     // fraction (0 to 1) of the threshold the signal must fall back by to end a cycle
  kDetectMinIntervalMs = 4,  // shortest time from one cycle's start to the next one's
  kDetectBaselineMs = 5,     // span the noise is measured over; 0: levels are measured from 0
  kDetectRelative = 6,       // 1: the threshold is in standard deviations of the signal about its baseline
  kDetectPresetNumber = 14,  // the preset the settings came from (0: the user's own)
};
