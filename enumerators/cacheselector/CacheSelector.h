// The cache selectors: enumerators without sources that hand out one measurement of every event a full
// measurement calculation kept in the data file's shared result cache.
#pragma once

#include <cstdint>
#include <memory>

#include "enumerators/calcbulk/CalcBulk.h"
#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/pscalc/PSCalc.h"
#include "enumerators/selector/Selector.h"
#include "enumerators/sharedcache/SharedCacheCoordinator.h"

namespace ZR::Enum::CacheSelector {

// {F2F5CCA0-62FA-4D6B-98A3-419812F4230B}: the standard coordinator kind.
inline constexpr GUID kStandardCacheGuid = {
    0xF2F5CCA0, 0x62FA, 0x4D6B, {0x98, 0xA3, 0x41, 0x98, 0x12, 0xF4, 0x23, 0x0B}};
// {818C0E95-F7EA-410D-BCED-7FCA2A192B5C}: the population-spike coordinator kind.
inline constexpr GUID kPSCacheGuid = {
    0x818C0E95, 0xF7EA, 0x410D, {0xBC, 0xED, 0x7F, 0xCA, 0x2A, 0x19, 0x2B, 0x5C}};

struct StandardPolicy {
  using Coordinator = EEH::SharedCacheCoordinator<CalcBulk::Algorithm, &kStandardCacheGuid>;
};
struct PSPolicy {
  using Coordinator = EEH::SharedCacheCoordinator<PSCalc::Algorithm, &kPSCacheGuid>;
};

// The parameters and position every cache selector keeps, with the settings text and the record it writes.
class CacheSelectorFields {
 public:
  // Three numbers: analysis type and measurement index (rounded half up; unreadable: 0) and the conversion
  // factor (unreadable: unchanged).
  void Load(const wchar_t* text);
  // The same three numbers, the factor exactly: Load gives back what was saved.
  QOR::String Save() const;
  // The output record of a cached event: its position by the tick-and-fraction rule and the measurement times
  // the factor.
  SelectedValueRecord Select(const EventFCalc& event) const noexcept;
  // Find's answer once its search is done: position at the event found (0 when none).
  HRESULT AnswerFind(const EventFCalc* found, bool backward, int32_t start, int32_t end) noexcept;

  int32_t analysisType = 0;
  int32_t calcIndex = 0;
  double sourceValue = 0.0;
  int32_t position = 0;
  int32_t record = 0;
  double factor = 1.0;  // a new selector converts nothing
};

template <class Policy>
class GenericCacheSelector : public CalcEnums::CalcEnumEventBase, protected CacheSelectorFields {
 public:
  using Coordinator = typename Policy::Coordinator;

  GenericCacheSelector(IUnknown* dataContext, ICalcEnumClass2* classObject) noexcept
      : CalcEnumEventBase(dataContext, classObject) {}

  // ICalcEnum
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept override {
    if (kind) *kind = 0x40000000u;
    return ComTry([&] { Load(QOR::String(text).GetText()); });
  }
  HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString** text) noexcept override {
    if (!text) return E_POINTER;
    *text = nullptr;
    return ComTry([&] { *text = Save().AddRefInterface(); });
  }
  HRESULT STDMETHODCALLTYPE Clone(IUnknown*, ICalcEnum** clone) noexcept override {
    if (!clone) return E_POINTER;
    *clone = nullptr;
    return ComTry([&] { *clone = static_cast<ICalcEnum*>(MakeClone()); });
  }
  // Binds the data file's coordinator and the record; the sources themselves are not read.
  HRESULT STDMETHODCALLTYPE SetSources(int32_t recordIndex, int32_t, IUnknown**, IUnknown**, double value,
                                       uint32_t) noexcept override {
    sourceValue = value;
    position = 0;
    record = DataContext() ? recordIndex : 0;
    mCoordinator = Coordinator::GetOrCreate(DataContext());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) noexcept override {
    position = tick;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetValueUnits(double* value, IUnknown** units) noexcept override {
    if (units) *units = nullptr;
    if (value) *value = sourceValue;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t* capabilities) noexcept override {
    if (!capabilities) return E_POINTER;
    *capabilities = 0x10000000u;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase*) noexcept override { return E_NOTIMPL; }

  // IEnumEventEx
  HRESULT STDMETHODCALLTYPE Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                 int32_t* nextUnexaminedTick) noexcept override {
    if (!returned || !nextUnexaminedTick) return E_POINTER;
    *returned = 0;
    const int32_t capacity = std::max(bufferBytes, 0) / static_cast<int32_t>(sizeof(SelectedValueRecord));
    if (capacity > 0 && !buffer) return E_POINTER;
    const HRESULT hr = ComTry([&] {
      const auto* const entry = CurrentEntry();
      auto* const out = static_cast<SelectedValueRecord*>(buffer);
      while (*returned < capacity) {
        const EventFCalc* const event = entry ? entry->FirstAtOrAfter(position) : nullptr;
        if (!event || event->tick >= endTick) {
          position = endTick;  // one at endTick or later is handed out by the call that reaches it
          break;
        }
        out[(*returned)++] = Select(*event);
        position = AddTicksSat(event->tick, 1);
      }
    });
    *nextUnexaminedTick = position;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept override {
    return ComTry([&]() -> HRESULT {
      const auto* const entry = CurrentEntry();
      const bool back = backward == 1;
      const EventFCalc* found = nullptr;
      if (entry) found = back ? entry->LastAtOrBefore(tick) : entry->FirstAtOrAfter(tick);
      return AnswerFind(found, back, start, end);
    });
  }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override {
    if (!tick) return E_POINTER;
    *tick = position;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx** clone) noexcept override {
    if (!clone) return E_POINTER;
    *clone = nullptr;
    return ComTry([&] { *clone = static_cast<IEnumEventEx*>(MakeClone()); });
  }
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override {
    if (!bytes) return E_POINTER;
    *bytes = static_cast<int32_t>(sizeof(SelectedValueRecord));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) noexcept override {
    if (typeId) *typeId = 0;
    return E_NOTIMPL;
  }

  const CacheSelectorFields& Fields() const noexcept { return *this; }

 protected:
  ~GenericCacheSelector() override = default;

 private:
  // The record's entry of the coordinator's current cache; null without a coordinator or a cache.
  const typename Coordinator::Records::Entry* CurrentEntry() {
    if (!mCoordinator) return nullptr;
    mCache = mCoordinator->CurrentCache();
    return mCache ? &mCache->EntryFor(record) : nullptr;
  }
  GenericCacheSelector* MakeClone() const {
    auto* const clone = new GenericCacheSelector(DataContext(), ClassObject());
    static_cast<CacheSelectorFields&>(*clone) = *this;
    clone->mCoordinator = mCoordinator;
    return clone;
  }

  ComPtr<Coordinator> mCoordinator;
  std::shared_ptr<typename Coordinator::Records> mCache;  // keeps the entry read alive during a call
};

using StandardCacheSelector = GenericCacheSelector<StandardPolicy>;
using PSCacheSelector = GenericCacheSelector<PSPolicy>;

}  // namespace ZR::Enum::CacheSelector
