// ERStimSOB: one stimulus per record at a fixed time after the record's start, for recordings whose stimulus is
// not recorded. Written by hand on the enumerator base: it reads no source.
#pragma once

#include <cstdint>

#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/framework/EventEnumSlots.h"
#include "enumerators/framework/RegionLimits.h"

namespace ZR::Enum::ERStimSOB {

class Enum : public CalcEnums::CalcEnumEventBase {
 public:
  Enum(IUnknown* dataContext, ICalcEnumClass2* classObject) noexcept
      : CalcEnumEventBase(dataContext, classObject) {}

  // Ticks are plain numbers in its time base (1 / 1, offset 0).
  ZR_EVENT_ENUM_SLOTS

  int32_t StimulusTick() const noexcept { return mStimTick; }

 protected:
  ~Enum() override = default;

 private:
  Enum* MakeClone() const;
  // The record lies inside the limits and the stimulus inside the record's part of them.
  bool InsideLimits() const noexcept;

  int32_t mPosition = 0;   // next unexamined tick: -1 after loading settings, 0 after the sources are set
  int32_t mStimTick = 0;   // the stimulus tick in every record
  double mPositionMs = 0.0;
  EEH3::RegionLimits mLimits;
  double mSecondsPerTick = 0.0;
  int32_t mRecord = -1;
};

}  // namespace ZR::Enum::ERStimSOB
