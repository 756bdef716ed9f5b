// Selector: one measurement of a nested enumerator's full measurement records as a value series.
#include "enumerators/selector/Selector.h"

#include <algorithm>
#include <locale>
#include <sstream>
#include <string>

#include "base/String.h"
#include "base/TickConversion.h"
#include "hostclient/ComBoundary.h"

namespace ZR::Enum {

HRESULT STDMETHODCALLTYPE Selector::LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept {
  if (kind) *kind = 0x40000000u;
  return ComTry([&] {
    std::wistringstream in{std::wstring(QOR::String(text).GetText())};
    in.imbue(std::locale::classic());
    double index = 0.0;
    if (in >> index) mCalcIndex = TruncHalfUpToInt32Sat(index);  // no number: the index stays
  });
}

HRESULT STDMETHODCALLTYPE Selector::SaveSettings(QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  return ComTry([&] {
    std::wostringstream out;
    out.imbue(std::locale::classic());
    out << mCalcIndex;
    *text = QOR::String(out.str().c_str()).AddRefInterface();
  });
}

Selector* Selector::MakeClone() const {
  Selector* const clone = new Selector(DataContext(), ClassObject());
  clone->mCalcIndex = mCalcIndex;
  return clone;
}

HRESULT STDMETHODCALLTYPE Selector::Clone(IUnknown*, ICalcEnum** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  return ComTry([&] { *clone = static_cast<ICalcEnum*>(MakeClone()); });
}

HRESULT STDMETHODCALLTYPE Selector::Clone(IEnumEventEx** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  return ComTry([&] { *clone = static_cast<IEnumEventEx*>(MakeClone()); });
}

HRESULT STDMETHODCALLTYPE Selector::SetSources(int32_t, int32_t count, IUnknown** sources, IUnknown**, double,
                                               uint32_t) noexcept {
  mEventSource.Reset();
  if (count < 1 || !sources || !sources[0]) return E_FAIL;
  ComPtr<IEnumEventEx> source;
  if (FAILED(sources[0]->QueryInterface(IID_IEnumEventEx, source.OutVoid())) || !source) return E_FAIL;
  int32_t recordSize = 0;
  if (FAILED(source->GetRecordSize(&recordSize)) || recordSize != static_cast<int32_t>(sizeof(EventFCalc)))
    return E_FAIL;
  mEventSource = std::move(source);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Selector::SetStartTick(int32_t tick) noexcept {
  if (!mEventSource) return S_FALSE;
  ComPtr<ICalcEnum> calc;
  if (FAILED(mEventSource->QueryInterface(IID_ICalcEnum, calc.OutVoid())) || !calc) return S_FALSE;
  return calc->SetStartTick(tick);
}

HRESULT STDMETHODCALLTYPE Selector::ResetCache() noexcept {
  mEventSource.Reset();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Selector::GetValueUnits(double* value, IUnknown** units) noexcept {
  ComPtr<ICalcEnum> calc;
  if (!mEventSource || FAILED(mEventSource->QueryInterface(IID_ICalcEnum, calc.OutVoid())) || !calc) return S_FALSE;
  return calc->GetValueUnits(value, units);
}

HRESULT STDMETHODCALLTYPE Selector::GetCapabilities(uint32_t* capabilities) noexcept {
  if (!capabilities) return E_POINTER;
  *capabilities = 0x10000000u;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Selector::GetTimeBase(TimeBase* timeBase) noexcept {
  if (!timeBase) return E_POINTER;
  *timeBase = TimeBase();
  if (!mEventSource) return E_FAIL;
  return mEventSource->GetTimeBase(timeBase);
}

HRESULT STDMETHODCALLTYPE Selector::Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                         int32_t* nextUnexaminedTick) noexcept {
  if (!returned || !nextUnexaminedTick) return E_POINTER;
  *returned = 0;
  *nextUnexaminedTick = 0;
  if (!mEventSource) return E_FAIL;
  const int32_t capacity = std::max(bufferBytes, 0) / static_cast<int32_t>(sizeof(SelectedValueRecord));
  if (capacity > 0 && !buffer) return E_POINTER;
  return ComTry([&]() -> HRESULT {
    if (mInput.size() < static_cast<size_t>(capacity)) mInput.resize(static_cast<size_t>(capacity));
    const int32_t inputBytes = capacity * static_cast<int32_t>(sizeof(EventFCalc));
    const HRESULT hr = mEventSource->Next(inputBytes, endTick, mInput.data(), returned, nextUnexaminedTick);
    const int32_t n = std::clamp(*returned, 0, capacity);
    auto* const out = static_cast<SelectedValueRecord*>(buffer);
    for (int32_t i = 0; i < n; ++i) {
      const EventFCalc& e = mInput[static_cast<size_t>(i)];
      TickFraction position;
      position.Set(static_cast<double>(e.tick) + static_cast<double>(e.fraction));
      out[i].tick = position.tick;
      out[i].fraction = position.fraction;
      out[i].value = WidenFloatBits(e.GetValueBitsByIndex(mCalcIndex));
    }
    return hr;
  });
}

HRESULT STDMETHODCALLTYPE Selector::Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept {
  if (!mEventSource) return E_FAIL;
  return mEventSource->Find(backward, tick, start, end);
}

HRESULT STDMETHODCALLTYPE Selector::GetPosition(int32_t* tick) noexcept {
  if (!tick) return E_POINTER;
  *tick = 0;
  if (!mEventSource) return E_FAIL;
  return mEventSource->GetPosition(tick);
}

HRESULT STDMETHODCALLTYPE Selector::GetRecordSize(int32_t* bytes) noexcept {
  if (!bytes) return E_POINTER;
  *bytes = static_cast<int32_t>(sizeof(SelectedValueRecord));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Selector::GetEventType(uint32_t* typeId) noexcept {
  if (!typeId) return E_POINTER;
  *typeId = 0;
  return S_OK;
}

}  // namespace ZR::Enum
