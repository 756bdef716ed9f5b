// ERStimSOB: one stimulus per record at a fixed time after the record's start, for recordings whose stimulus is
// not recorded. Written by hand on the enumerator base: it reads no source.
#pragma once

#include <cstdint>

#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/framework/RegionLimits.h"

namespace ZR::Enum::ERStimSOB {

class Enum : public CalcEnums::CalcEnumEventBase {
 public:
  Enum(IUnknown* dataContext, ICalcEnumClass2* classObject) noexcept
      : CalcEnumEventBase(dataContext, classObject) {}

  // ICalcEnum
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept override;
  HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IUnknown* reserved, ICalcEnum** clone) noexcept override;
  HRESULT STDMETHODCALLTYPE SetSources(int32_t record, int32_t count, IUnknown** sources, IUnknown** units,
                                       double tickPeriod, uint32_t flags) noexcept override;
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetValueUnits(double* value, IUnknown** units) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t* capabilities) noexcept override;
  // ICalcEnum slot 17 and IEnumEventEx slot 11: ticks are plain numbers (1 / 1, offset 0).
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override;

  // IEnumEventEx
  HRESULT STDMETHODCALLTYPE Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                 int32_t* nextUnexaminedTick) noexcept override;
  HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx** clone) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override;
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) noexcept override;

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
