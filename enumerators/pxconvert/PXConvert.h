// PXConvert ("PeakCycConvert"): turns the events of the host's per-cycle measurement extension into detector
// peaks, each with the channel's sample at its tick as height. Written by hand on the enumerator base: where it
// stands is the event source's position.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/framework/EventEnumSlots.h"
#include "base/EventRecords.h"
#include "enumerators/framework/FloatExWrapper.h"
#include "enumerators/framework/RegionLimits.h"
#include "hostapi/CycleDetection.h"
#include "hostclient/ComPtr.h"

namespace ZR::Enum {

class PXConvert : public CalcEnums::CalcEnumEventBase {
 public:
  PXConvert(IUnknown* dataContext, ICalcEnumClass2* classObject) noexcept
      : CalcEnumEventBase(dataContext, classObject) {}

  // SetSources takes the channel as source 0 and the per-cycle events as source 1; the time base is the event
  // source's.
  ZR_EVENT_ENUM_SLOTS

 protected:
  ~PXConvert() override = default;

 private:
  PXConvert* MakeClone() const;
  // Converts the events just read into out, holding back those rounded up to endTick or beyond; sets mPastEnd at
  // the first event at or after the limits' end. Answers the number written.
  int32_t Convert(const CycleEventRecord* in, int32_t count, int32_t endTick, unsigned char* out);
  // Writes the held peaks that lie before endTick into out; answers the number written.
  int32_t HandOutHeld(int32_t endTick, int32_t capacity, unsigned char* out);
  bool OutsideLimits(int32_t tick) const noexcept;

  ComPtr<IEnumEventEx> mEventSource;
  std::unique_ptr<EEH3::FloatExWrapper> mChannelReader;
  EEH3::RegionLimits mLimits;
  int32_t mCurrentRecord = 0;
  bool mPastEnd = false;
  std::vector<CycleEventRecord> mInput;  // kept between calls: no allocation per Next once grown
  // Converted peaks whose position rounded up to the end tick asked for (an event at 1299.6 read up to 1300
  // becomes a peak at 1300): handed out by the next call that reaches them, before anything read later.
  std::deque<EventPkStm> mHeld;
};

}  // namespace ZR::Enum
