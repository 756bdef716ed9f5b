// The population-spike turning-point search: an eleven-sample ring whose middle sample is tested as a local
// maximum or minimum, and the list of alternating turning points kept for one stimulus.
#pragma once

#include <cstdint>

namespace ZR::Enum::PSPeakDet {

struct TurningPoint {
  int32_t tick = 0;
  float value = 0.0f;
};

inline constexpr int32_t kRingSamples = 11;
inline constexpr int32_t kRingMiddle = 5;  // the middle sample lies this many ticks behind the newest

// Entries 0, 2, 4 are maxima and 1, 3 minima, in tick order; count is 0 to 3 between offers (5 only while the
// list is reduced). A minimum offered to an empty list is parked in entry 0 without being counted.
struct TurningPointList {
  TurningPoint entries[5];
  int32_t count = 0;
};

// The samples of one stimulus's window as they pass: the ring restarts with every stimulus.
struct TurningPointScan {
  TurningPointList list;
  float ring[kRingSamples] = {};
  int32_t ringIndex = 0;  // the slot the next sample goes to; after a write, the oldest sample's slot
  bool ringFull = false;
  int32_t lastTick = 0;

  void Restart() noexcept {
    list.count = 0;
    ringIndex = 0;
    ringFull = false;
  }
};

// Offers a turning point to the list: a spike starts with a maximum, kinds alternate, a point of the kind the
// last entry has replaces it only when strictly more extreme; a fifth entry reduces the list to three.
void OfferTurningPoint(TurningPointList& list, const TurningPoint& point, bool isMaximum) noexcept;

// Reduces five entries (max, min, max, min, max) to the three that make the deepest trough: depths
// A = y0 - 2 y1 + y2, B = y2 - 2 y3 + y4 and C = y0 - 2 ym + y4 (m the deeper minimum, the later on a tie), each
// rounded to float; B wins ties with both, C wins a tie with A.
void ReduceTurningPoints(TurningPointList& list) noexcept;

// Feeds samples[0, count), sample i at tick firstTick + i, through the ring. Once eleven samples are in, the
// middle one (five ticks behind the newest) is a maximum when no sample of the eleven is greater and a minimum
// when none is smaller (equal samples spoil neither; a flat ring counts as a maximum); it is offered when its
// tick is at or after searchStart.
void ScanTurningPoints(TurningPointScan& scan, const float* samples, int32_t count, int32_t firstTick,
                       int32_t searchStart) noexcept;

}  // namespace ZR::Enum::PSPeakDet
