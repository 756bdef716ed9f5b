// Selector: passes one measurement of a nested enumerator's full measurement records on, event by event, as a
// plain value at the event's position.
#pragma once

#include <cstdint>
#include <vector>

#include "enumerators/framework/CalcEnumEventBase.h"
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

  // ICalcEnum
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept override;
  HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IUnknown* reserved, ICalcEnum** clone) noexcept override;
  // Answers E_FAIL unless source 0 delivers full measurement records (344 bytes): any other record read as
  // one would give garbage values.
  HRESULT STDMETHODCALLTYPE SetSources(int32_t record, int32_t count, IUnknown** sources, IUnknown** units,
                                       double tickPeriod, uint32_t flags) noexcept override;
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) noexcept override;
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetValueUnits(double* value, IUnknown** units) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t* capabilities) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override;

  // IEnumEventEx
  HRESULT STDMETHODCALLTYPE Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                 int32_t* nextUnexaminedTick) noexcept override;
  HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx** clone) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override;
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) noexcept override;

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
