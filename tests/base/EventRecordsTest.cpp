// Event records: defaults, the tick-fraction rule, the measurement read-out and the extent rules.
#include "base/EventRecords.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

namespace {

uint32_t Bits(const float& f) { return FloatBits(f); }

}  // namespace

TEST(TickFraction, RoundsHalfUpAndKeepsTheRest) {
  struct Case { double t; int32_t tick; float fraction; };
  const Case cases[] = {{2.5, 3, -0.5f}, {2.4, 2, 0.4f}, {-0.7, 0, -0.7f}, {10.5, 11, -0.5f}, {10.49, 10, 0.49f}};
  for (const Case& c : cases) {
    TickFraction position;
    position.Set(c.t);
    EXPECT_EQ(position.tick, c.tick) << c.t;
    EXPECT_EQ(position.fraction, static_cast<float>(c.t - c.tick)) << c.t;
    EXPECT_NEAR(position.fraction, c.fraction, 1e-6) << c.t;
  }
  TickFraction huge;
  huge.Set(1e300);
  EXPECT_EQ(huge.tick, 0x7FFFFFFF);
}

TEST(EventPkStm, FactoriesSetKindAndValue) {
  const EventPkStm empty = EventPkStm::Empty();
  EXPECT_EQ(empty.kind, kEventEmpty);
  EXPECT_EQ(empty.value, 0.0);
  const EventPkStm stimulus = EventPkStm::Stimulus(7.25);
  EXPECT_EQ(stimulus.tick, 7);
  EXPECT_EQ(stimulus.value, 1.0);
  EXPECT_EQ(stimulus.kind, kEventStimulus);
  const float height = 0.1f;
  const EventPkStm peak = EventPkStm::Peak(10.5, height);
  EXPECT_EQ(peak.tick, 11);
  EXPECT_EQ(peak.fraction, -0.5f);
  EXPECT_EQ(peak.value, static_cast<double>(height));
  EXPECT_EQ(peak.kind, kEventPeak);
}

// Every byte of a default record is defined: no-value floats, -1 ticks, zero padding.
TEST(EventFCalc, DefaultsLeaveNoByteUndefined) {
  alignas(EventFCalc) unsigned char storage[sizeof(EventFCalc)];
  std::memset(storage, 0xCD, sizeof storage);
  const EventFCalc* record = new (storage) EventFCalc();
  EXPECT_EQ(record->kind, kEventCalc);
  EXPECT_EQ(record->count, -1);
  EXPECT_EQ(Bits(record->baseline), kNoValueBits);
  EXPECT_EQ(record->polarity, 1.0f);
  EXPECT_EQ(record->maxValue, -1.0f);
  EXPECT_EQ(record->plateauCentreTick, -1);
  EXPECT_EQ(Bits(record->tauAmplitude), kNoValueBits);
  EXPECT_EQ(Bits(record->tauAsymptote), kNoValueBits);
  EXPECT_EQ(Bits(record->slopeIntercept), kNoValueBits);
  EXPECT_EQ(Bits(record->lowestSample), kNoValueBits);
  EXPECT_EQ(record->calcTick1, -1);
  EXPECT_EQ(record->calcTick2, -1);
  for (const size_t padding : {20u, 44u, 68u, 340u}) {
    uint32_t word;
    std::memcpy(&word, storage + padding, 4);
    EXPECT_EQ(word, 0u) << "padding at " << padding;
  }
  for (size_t offset = 0; offset < sizeof storage; ++offset) EXPECT_NE(storage[offset], 0xCD) << offset;
}

TEST(EventFCalc, ReadsMeasurementsByIndex) {
  EventFCalc record;
  EXPECT_EQ(record.GetValueBitsByIndex(1), 0xBF800000u);  // count -1 converted
  for (int32_t index : {6, 7, 8, 22, -1, 59, 1000}) EXPECT_EQ(record.GetValueBitsByIndex(index), 0xBF800000u) << index;
  EXPECT_EQ(record.GetValueBitsByIndex(58), 0u);
  for (int32_t index : {0, 2, 5, 9, 21, 33, 42, 51, 57}) EXPECT_EQ(record.GetValueBitsByIndex(index), kNoValueBits) << index;

  record.height = 12.5f;
  record.widthPercent[4] = 3.0f;  // Width50
  record.apdPercent[8] = 4.0f;    // APD90
  record.tailOvershoot = -2.0f;
  record.count = 7;
  float out = 0.0f;
  record.GetValueByIndex(static_cast<int32_t>(MeasurementIndex::Height), out);
  EXPECT_EQ(out, 12.5f);
  record.GetValueByIndex(static_cast<int32_t>(MeasurementIndex::Width50), out);
  EXPECT_EQ(out, 3.0f);
  record.GetValueByIndex(static_cast<int32_t>(MeasurementIndex::APD90), out);
  EXPECT_EQ(out, 4.0f);
  record.GetValueByIndex(static_cast<int32_t>(MeasurementIndex::TailOvershoot), out);
  EXPECT_EQ(out, -2.0f);
  record.GetValueByIndex(static_cast<int32_t>(MeasurementIndex::Count), out);
  EXPECT_EQ(out, 7.0f);

  record.tauAmplitude = 9.0f;
  record.ClearResults();
  EXPECT_EQ(record.count, -1);
  EXPECT_EQ(Bits(record.height), kNoValueBits);
  EXPECT_EQ(record.tauAmplitude, 9.0f);  // fit results survive clearing
  EXPECT_EQ(record.tailOvershoot, -2.0f);  // head fields are not results
}

// Every byte of a record filled with a pattern, cleared: each measurement slot of the results holds no value,
// count is -1 and both half-height ticks none, while the head, the three fit results (NaN payloads too) and the
// padding keep their bytes.
TEST(EventFCalc, ClearResultsTouchesOnlyTheResultSlots) {
  EventFCalc record;
  unsigned char* const bytes = reinterpret_cast<unsigned char*>(&record);
  for (size_t i = 0; i < sizeof record; ++i) bytes[i] = static_cast<unsigned char>(0x5A ^ i);
  const uint32_t signalling = 0x7FA00001u;
  std::memcpy(&record.tauAsymptote, &signalling, sizeof signalling);
  EventFCalc before;
  std::memcpy(static_cast<void*>(&before), &record, sizeof record);
  record.ClearResults();
  std::vector<bool> slot(sizeof record, false);
  for (int32_t index = 0; index < kMeasurementIndexCount; ++index) {
    const float* at = record.MeasurementSlot(index);
    if (!at) continue;
    const size_t offset = static_cast<size_t>(reinterpret_cast<const unsigned char*>(at) - bytes);
    if (offset < 116) continue;  // head fields read as measurements
    EXPECT_EQ(Bits(*at), kNoValueBits) << index;
    for (size_t k = 0; k < 4; ++k) slot[offset + k] = true;
  }
  EXPECT_EQ(record.count, -1);
  EXPECT_EQ(record.calcTick1, kNoTick);
  EXPECT_EQ(record.calcTick2, kNoTick);
  const unsigned char* const old = reinterpret_cast<const unsigned char*>(&before);
  for (size_t i = 0; i < sizeof record; ++i) {
    const bool cleared = slot[i] || (i >= 112 && i < 116) || (i >= 332 && i < 340);
    if (!cleared) {
      EXPECT_EQ(bytes[i], old[i]) << "byte " << i;
    }
  }
}

TEST(EventBCalcBase2, ResetKeepsKindAndPlateauCentre) {
  EventBCalcBase2 record;
  record.plateauCentreTick = 500;
  record.tick = 40;
  record.value = 3.0;
  record.maxTick = 41;
  record.lowestSample = 1.0f;
  record.Reset();
  EXPECT_EQ(record.kind, kEventCalc);
  EXPECT_EQ(record.plateauCentreTick, 500);
  EXPECT_EQ(record.tick, 0);
  EXPECT_EQ(record.value, 0.0);
  EXPECT_EQ(record.maxTick, -1);
  EXPECT_EQ(Bits(record.lowestSample), kNoValueBits);
}

TEST(EventBCalcBase, SearchStartTakesStimulusAndBaselineEnd) {
  EventBCalcBase record;
  record.tick = 120;
  EXPECT_EQ(record.SearchStart(), 120);
  record.stimulusTick = 100;
  EXPECT_EQ(record.SearchStart(), 100);
  record.baseEndTick = 90;
  EXPECT_EQ(record.SearchStart(), 100);  // baseline has no value yet
  record.baseline = 0.5f;
  EXPECT_EQ(record.SearchStart(), 89);
}

TEST(EventFCalc, SpanEndMirrorsTheEarlierStart) {
  EventFCalc record;
  record.tick = 120;
  record.stimulusTick = 100;
  record.baseStartTick = 90;
  EXPECT_EQ(record.SpanEnd(), 150);
  record.peakStartTick = 110;
  record.peakEndTick = 170;
  EXPECT_EQ(record.SpanEnd(), 170);
  record.peakStartTick = -1;
  record.tick = 0x7FFFFFF0;  // the mirror saturates instead of wrapping
  EXPECT_EQ(record.SpanEnd(), 0x7FFFFFFF);
}

TEST(EventRecords, LaterRecordReadsAsEarlierOne) {
  EventFCalc full;
  full.tick = 5;
  full.stimulusTick = 3;
  full.maxTick = 6;
  const EventBCalcMax& asMax = full;
  EXPECT_EQ(asMax.maxTick, 6);
  EventPkStm head;
  std::memcpy(static_cast<void*>(&head), &full, sizeof head);
  EXPECT_EQ(head.tick, 5);
  EXPECT_EQ(head.kind, kEventCalc);
}
