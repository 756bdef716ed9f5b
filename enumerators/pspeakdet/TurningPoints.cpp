// The population-spike turning-point search and the reduction of its candidate list.
#include "enumerators/pspeakdet/TurningPoints.h"

namespace ZR::Enum::PSPeakDet {

namespace {

// Depth of the trough b between the peaks a and c, rounded to float before it is compared.
float Depth(float a, float b, float c) noexcept {
  return static_cast<float>(static_cast<double>(a) - 2.0 * static_cast<double>(b) + static_cast<double>(c));
}

}  // namespace

void ReduceTurningPoints(TurningPointList& list) noexcept {
  const TurningPoint* const e = list.entries;
  const float a = Depth(e[0].value, e[1].value, e[2].value);
  const float b = Depth(e[2].value, e[3].value, e[4].value);
  const int32_t m = e[3].value > e[1].value ? 1 : 3;
  const float c = Depth(e[0].value, e[m].value, e[4].value);
  TurningPoint kept[3];
  if (b >= a && b >= c) {
    kept[0] = e[2], kept[1] = e[3], kept[2] = e[4];
  } else if (c >= a) {
    kept[0] = e[0], kept[1] = e[m], kept[2] = e[4];
  } else {
    kept[0] = e[0], kept[1] = e[1], kept[2] = e[2];
  }
  for (int32_t i = 0; i < 3; ++i) list.entries[i] = kept[i];
  list.count = 3;
}

void OfferTurningPoint(TurningPointList& list, const TurningPoint& point, bool isMaximum) noexcept {
  int32_t& n = list.count;
  if (n == 0) {
    list.entries[0] = point;
    if (isMaximum) n = 1;
    return;
  }
  const bool wantsMaximum = n % 2 == 0;
  if (isMaximum == wantsMaximum) {
    list.entries[n++] = point;
    if (n == 5) ReduceTurningPoints(list);
    return;
  }
  TurningPoint& last = list.entries[n - 1];
  if (isMaximum ? point.value > last.value : point.value < last.value) last = point;
}

void ScanTurningPoints(TurningPointScan& scan, const float* samples, int32_t count, int32_t firstTick,
                       int32_t searchStart) noexcept {
  for (int32_t i = 0; i < count; ++i) {
    scan.ring[scan.ringIndex] = samples[i];
    scan.lastTick = firstTick + i;
    if (++scan.ringIndex == kRingSamples) {
      scan.ringIndex = 0;
      scan.ringFull = true;
    }
    if (!scan.ringFull) continue;
    const float middle = scan.ring[(scan.ringIndex + kRingMiddle) % kRingSamples];
    bool isMaximum = true;
    bool isMinimum = true;
    for (const float v : scan.ring) {
      isMaximum = isMaximum && !(v > middle);
      isMinimum = isMinimum && !(v < middle);
    }
    const int32_t tick = scan.lastTick - kRingMiddle;
    if ((isMaximum || isMinimum) && tick >= searchStart)
      OfferTurningPoint(scan.list, TurningPoint{tick, middle}, isMaximum);
  }
}

}  // namespace ZR::Enum::PSPeakDet
