// A real enumerator chain behind a wrapper that breaks one part of the enumerator contract, so
// that the self-checks can be shown to catch it. Registered only in the test process.
#pragma once

#include "host/common/HostObject.h"
#include "hostapi/CalcEnum.h"
#include "hostclient/ComPtr.h"

#include <cstdint>

namespace selfcheck_faults {

enum class Fault : uint16_t {
  None = 1,
  FalseBeforeEnd,    // S_FALSE wherever the chain answers S_OK, without the record end
  LateAfterRestart,  // started past tick 0, the first event comes one tick late
  PositionZero,      // reports position 0 whatever its sources' start
  HoldBackOnline,    // drops the event of one index while sampling (see heldIndex)
  Stall,             // S_OK, no record and the start tick, once asked to read to the end
  StallFull,         // S_OK, a full buffer and tick 0, for ever
  NoEnumerator,      // the class makes none
};

// The type id of the class whose enumerators have fault (the formula text is the real chain's);
// the first call registers the class with the framework, which must be registered. heldIndex:
// the index of the event HoldBackOnline drops.
uint32_t FaultyEnumClass(Fault fault, int32_t heldIndex = 0);

class FaultyEnumerator final : public host::HostObject<ICalcEnum, IEnumEventEx> {
 public:
  FaultyEnumerator(QOR::ComPtr<ICalcEnum> chain, Fault fault, int32_t heldIndex);

  // ICalcEnum: the chain's, noting the start tick and whether the chain runs online.
  HRESULT STDMETHODCALLTYPE GetSourceInfo(uint32_t* typeId) noexcept override { return mChain->GetSourceInfo(typeId); }
  HRESULT STDMETHODCALLTYPE GetDataSource(IUnknown** out) noexcept override { return mChain->GetDataSource(out); }
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept override {
    return mChain->LoadSettings(text, kind);
  }
  HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString** text) noexcept override { return mChain->SaveSettings(text); }
  HRESULT STDMETHODCALLTYPE Clone(IUnknown*, ICalcEnum**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSources(int32_t record, int32_t count, IUnknown** sources, IUnknown** units,
                                       double tickPeriod, uint32_t flags) noexcept override;
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) noexcept override;
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override { return mChain->ResetCache(); }
  HRESULT STDMETHODCALLTYPE GetParamKind(int32_t index, int32_t which, uint32_t* kind) noexcept override {
    return mChain->GetParamKind(index, which, kind);
  }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetValueUnits(double* value, IUnknown** units) noexcept override {
    return mChain->GetValueUnits(value, units);
  }
  HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t* c) noexcept override { return mChain->GetCapabilities(c); }
  HRESULT STDMETHODCALLTYPE GetResultKind(uint32_t* kind) noexcept override { return mChain->GetResultKind(kind); }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override { return mChain->GetTimeBase(timeBase); }

  // IEnumEventEx: the chain's events, broken as the fault says.
  HRESULT STDMETHODCALLTYPE Next(int32_t bytes, int32_t endTick, void* buffer, int32_t* returned,
                                 int32_t* nextTick) noexcept override;
  HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept override {
    return mEvents->Find(backward, tick, start, end);
  }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved6(void**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override { return mEvents->GetRecordSize(bytes); }
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) noexcept override { return mEvents->GetEventType(typeId); }
  HRESULT STDMETHODCALLTYPE Reserved10(void**) noexcept override { return E_NOTIMPL; }

 private:
  void* FindInterface(REFIID iid) override;
  void DropHeldEvent(void* buffer, int32_t* returned) noexcept;

  QOR::ComPtr<ICalcEnum> mChain;
  QOR::ComPtr<IEnumEventEx> mEvents;
  Fault mFault;
  int32_t mHeldIndex;
  int32_t mRecordSize = 0;
  int32_t mStartTick = 0;
  bool mOnline = false;
  bool mFirstNext = true;
  int32_t mHanded = 0;  // events handed out since the sources were set
};

}  // namespace selfcheck_faults
