// PXConvert ("PeakCycConvert"): turns the events of the host's per-cycle measurement extension into detector
// peaks, each with the channel's sample at its tick as height. Written by hand on the enumerator base: where it
// stands is the event source's position.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "enumerators/framework/CalcEnumEventBase.h"
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

  // ICalcEnum
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept override;
  HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IUnknown* reserved, ICalcEnum** clone) noexcept override;
  // Source 0 the channel, source 1 the per-cycle events.
  HRESULT STDMETHODCALLTYPE SetSources(int32_t record, int32_t count, IUnknown** sources, IUnknown** units,
                                       double tickPeriod, uint32_t flags) noexcept override;
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) noexcept override;
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetValueUnits(double* value, IUnknown** units) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t* capabilities) noexcept override;
  // ICalcEnum slot 17 and IEnumEventEx slot 11: the event source's.
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override;

  // IEnumEventEx
  HRESULT STDMETHODCALLTYPE Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                 int32_t* nextUnexaminedTick) noexcept override;
  HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx** clone) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override;
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) noexcept override;

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
