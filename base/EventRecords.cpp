// Constructors, clearing and read-out rules of the event records.
#include "base/EventRecords.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "base/TickConversion.h"

// The records build on each other by inheritance, which makes them non-standard-layout for the language; g++
// lays out such single-inheritance chains exactly like the flat record, and these checks pin every offset the
// host and the data file copy byte for byte.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(offsetof(EventPkStm, value) == 8 && offsetof(EventPkStm, kind) == 16, "EventPkStm layout");
static_assert(offsetof(EventBCalcBase, stimulusTick) == 24 && offsetof(EventBCalcBase, baseEndTick) == 32 &&
                  offsetof(EventBCalcBase, baseline) == 36 && offsetof(EventBCalcBase, polarity) == 40,
              "EventBCalcBase layout");
static_assert(offsetof(EventBCalcMax, maxValue) == 48 && offsetof(EventBCalcMax, maxTick) == 52 &&
                  offsetof(EventBCalcMax, peakStartTick) == 56 && offsetof(EventBCalcMax, peakEndTick) == 60 &&
                  offsetof(EventBCalcMax, limitTick) == 64,
              "EventBCalcMax layout");
static_assert(offsetof(EventBCalcBase2, lowestSample) == 72 && offsetof(EventBCalcBase2, highestSample) == 76 &&
                  offsetof(EventBCalcBase2, tauFitStartTick) == 80 && offsetof(EventBCalcBase2, tailOvershoot) == 88 &&
                  offsetof(EventBCalcBase2, ahpEndTick) == 92 && offsetof(EventBCalcBase2, midPlateauTick) == 96 &&
                  offsetof(EventBCalcBase2, plateauCentreTick) == 100 &&
                  offsetof(EventBCalcBase2, spikeTroughTick) == 104 && offsetof(EventBCalcBase2, spikePeak2Tick) == 108,
              "EventBCalcBase2 layout");
static_assert(offsetof(EventFCalc, count) == 112 && offsetof(EventFCalc, tStart) == 116 &&
                  offsetof(EventFCalc, tau) == 136 && offsetof(EventFCalc, tauAmplitude) == 140 &&
                  offsetof(EventFCalc, measuredValue) == 148 && offsetof(EventFCalc, slopeIntercept) == 160 &&
                  offsetof(EventFCalc, measurement51) == 164 && offsetof(EventFCalc, width) == 192 &&
                  offsetof(EventFCalc, widthPercent) == 196 && offsetof(EventFCalc, period) == 232 &&
                  offsetof(EventFCalc, apdPercent) == 236 && offsetof(EventFCalc, tRise) == 272 &&
                  offsetof(EventFCalc, maxNegSlope) == 288 && offsetof(EventFCalc, popSpikeHeight) == 304 &&
                  offsetof(EventFCalc, tEnd) == 328 && offsetof(EventFCalc, calcTick1) == 332 &&
                  offsetof(EventFCalc, calcTick2) == 336,
              "EventFCalc layout");
#pragma GCC diagnostic pop

namespace {

// Byte offset of each measurement's float within EventFCalc; 0 = no slot of its own.
constexpr int16_t kMeasurementOffsets[kMeasurementIndexCount] = {
    116, 0,   36,  120, 124, 128, 0,   0,   0,   192,  // 0-9
    132, 168, 172, 176, 180, 184, 188, 272, 276, 280,  // 10-19
    284, 88,  0,   196, 200, 204, 208, 212, 216, 220,  // 20-29
    224, 228, 232, 136, 236, 240, 244, 248, 252, 256,  // 30-39
    260, 264, 268, 292, 296, 300, 148, 152, 156, 304,  // 40-49
    308, 164, 288, 312, 316, 320, 324, 328, 0,         // 50-58
};

// The bytes of a full record from count up to the padding as ClearResults leaves them: count -1, every
// measurement slot no value, both half-height ticks none. The three fit results ClearResults keeps are 0 here.
constexpr int32_t kResultsBegin = 112;
constexpr int32_t kResultsEnd = 340;
struct ResultsImage {
  uint32_t words[(kResultsEnd - kResultsBegin) / 4] = {};
};

constexpr ResultsImage MakeClearedResults() {
  ResultsImage image;
  for (int32_t index = 0; index < kMeasurementIndexCount; ++index) {
    const int32_t offset = kMeasurementOffsets[index];
    if (offset > kResultsBegin) image.words[(offset - kResultsBegin) / 4] = kNoValueBits;
  }
  image.words[0] = static_cast<uint32_t>(-1);
  image.words[(332 - kResultsBegin) / 4] = static_cast<uint32_t>(kNoTick);
  image.words[(336 - kResultsBegin) / 4] = static_cast<uint32_t>(kNoTick);
  return image;
}

constexpr ResultsImage kClearedResults = MakeClearedResults();

constexpr uint32_t kMinusOneBits = 0xBF800000u;  // -1.0f
constexpr uint32_t kZeroBits = 0u;                // 0.0f

}  // namespace

void TickFraction::Set(double t) noexcept {
  tick = TruncHalfUpToInt32Sat(t);
  fraction = static_cast<float>(t - static_cast<double>(tick));
}

void EventPkStm::SetPosition(double t) noexcept {
  TickFraction position;
  position.Set(t);
  tick = position.tick;
  fraction = position.fraction;
}

EventPkStm EventPkStm::Stimulus(double t) noexcept {
  EventPkStm event;
  event.SetPosition(t);
  event.value = 1.0;
  event.kind = kEventStimulus;
  return event;
}

EventPkStm EventPkStm::Peak(double t, const float& height) noexcept {
  EventPkStm event;
  event.SetPosition(t);
  event.value = static_cast<double>(height);
  event.kind = kEventPeak;
  return event;
}

EventBCalcBase::EventBCalcBase() noexcept {
  kind = kEventCalc;
  SetNoValue(baseline);
}

bool EventBCalcBase::RoseFromNowhere() const noexcept {
  return stimulusTick < 0 && baseStartTick == tick && baseEndTick == tick && baseline == value;
}

int32_t EventBCalcBase::SearchStart() const noexcept {
  int32_t x = tick;
  if (stimulusTick >= 0) x = std::min(stimulusTick, tick);
  if (IsNoValue(baseline)) return x;
  return std::min(x, SubTicksSat(baseEndTick, 1));
}

int32_t EventBCalcMax::SpanEnd() const noexcept {
  const int32_t s = peakStartTick;
  const int32_t e = peakEndTick;
  if (s >= 0 && e > s) return e;
  const int32_t earlier = std::min(stimulusTick, baseStartTick);
  int32_t start = baseStartTick;
  if (earlier >= 0) {
    start = earlier;
  } else if (stimulusTick >= 0) {
    start = stimulusTick;
  }
  // The earlier start mirrored about the event's tick, formed in 64 bits and clamped.
  const int64_t mirrored = 2 * static_cast<int64_t>(tick) - static_cast<int64_t>(start);
  return static_cast<int32_t>(std::clamp<int64_t>(std::max<int64_t>(e, mirrored), kTickMin, kTickMax));
}

EventBCalcBase2::EventBCalcBase2() noexcept {
  SetNoValue(lowestSample);
  SetNoValue(highestSample);
  SetNoValue(tailOvershoot);
}

void EventBCalcBase2::Reset() noexcept {
  const int32_t keptKind = kind;
  const int32_t keptPlateauCentre = plateauCentreTick;
  *this = EventBCalcBase2();
  kind = keptKind;
  plateauCentreTick = keptPlateauCentre;
}

EventFCalc::EventFCalc() noexcept {
  ClearResults();
  SetNoValue(tauAmplitude);
  SetNoValue(tauAsymptote);
  SetNoValue(slopeIntercept);
}

// One copy of the cleared image instead of a store per slot; the kept fit results are put back by their bits.
void EventFCalc::ClearResults() noexcept {
  unsigned char kept[3][4];
  std::memcpy(kept[0], &tauAmplitude, 4);
  std::memcpy(kept[1], &tauAsymptote, 4);
  std::memcpy(kept[2], &slopeIntercept, 4);
  unsigned char* const results = reinterpret_cast<unsigned char*>(this) + kResultsBegin;
  std::memcpy(results, kClearedResults.words, sizeof kClearedResults.words);
  std::memcpy(&tauAmplitude, kept[0], 4);
  std::memcpy(&tauAsymptote, kept[1], 4);
  std::memcpy(&slopeIntercept, kept[2], 4);
}

const float* EventFCalc::MeasurementSlot(int32_t index) const noexcept {
  if (index < 0 || index >= kMeasurementIndexCount || kMeasurementOffsets[index] == 0) return nullptr;
  return reinterpret_cast<const float*>(reinterpret_cast<const unsigned char*>(this) + kMeasurementOffsets[index]);
}

float* EventFCalc::MeasurementSlot(int32_t index) noexcept {
  return const_cast<float*>(static_cast<const EventFCalc*>(this)->MeasurementSlot(index));
}

uint32_t EventFCalc::GetValueBitsByIndex(int32_t index) const noexcept {
  if (index == static_cast<int32_t>(MeasurementIndex::Count)) {
    const float converted = static_cast<float>(count);
    return FloatBits(converted);
  }
  if (index == static_cast<int32_t>(MeasurementIndex::TimeDate)) return kZeroBits;
  const float* slot = MeasurementSlot(index);
  return slot ? FloatBits(*slot) : kMinusOneBits;
}

void EventFCalc::GetValueByIndex(int32_t index, float& out) const noexcept {
  SetFloatBits(out, GetValueBitsByIndex(index));
}
