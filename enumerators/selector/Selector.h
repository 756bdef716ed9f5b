// Selector: passes one measurement of a nested enumerator's full measurement records on, event by event, as a
// plain value at the event's position.
#pragma once

#include <cstdint>
#include <vector>

#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/framework/EventEnumSlots.h"
#include "base/EventRecords.h"
#include "hostclient/ComPtr.h"

namespace ZR::Enum {

// The 16-byte output record: position by the tick-and-fraction rule, and the measurement widened to double.
struct SelectedValueRecord {
  int32_t tick = 0;
  float fraction = 0.0f;
  double value = 0.0;
};
static_assert(sizeof(SelectedValueRecord) == 16, "selected value record size");

// Keeps nothing between calls but its event source: position, Find and time base are the source's.
class Selector : public CalcEnums::CalcEnumEventBase {
 public:
  Selector(IUnknown* dataContext, ICalcEnumClass2* classObject) noexcept
      : CalcEnumEventBase(dataContext, classObject) {}

  // SetSources answers E_FAIL unless source 0 delivers full measurement records (344 bytes): any other record
  // read as one would give garbage values.
  ZR_EVENT_ENUM_SLOTS

  int32_t CalcIndex() const noexcept { return mCalcIndex; }

 protected:
  ~Selector() override = default;

 private:
  Selector* MakeClone() const;

  ComPtr<IEnumEventEx> mEventSource;
  int32_t mCalcIndex = 0;
  std::vector<EventFCalc> mInput;  // scratch for one Next: the source's records
};

}  // namespace ZR::Enum
