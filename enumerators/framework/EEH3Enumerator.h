// The enumerator template shared by every detector and calculation family: settings, sources, the record
// search with its checkpoints, Next, Find with its pending record, and Clone.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <locale>
#include <memory>
#include <new>
#include <sstream>
#include <string>

#include "base/String.h"
#include "base/TickConversion.h"
#include "enumerators/framework/CalcEnumEventBase.h"
#include "enumerators/framework/ChannelCache.h"
#include "base/NoValue.h"
#include "enumerators/framework/TemplateEnumId.h"
#include "hostapi/HostUnits.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/HostUnits.h"

namespace EEH3 {

// Family (derived from CalcEnums::CalcEnumEventBase) supplies Params (derived from ParamsBase), State (derived
// from StateBase, constructible from a tick), Record (the output record), Algorithm (the step, see
// ChannelCache) and kEventTypeNumber (its draw class number). N, the reader block size in records, is 8 in
// every family.
template <class Family, int N>
class EEH3Enumerator : public Family {
 public:
  using Params = typename Family::Params;
  using State = typename Family::State;
  using Record = typename Family::Record;
  using Algorithm = typename Family::Algorithm;

  EEH3Enumerator(IUnknown* dataContext, ICalcEnumClass2* classObject) : Family(dataContext, classObject) {
    mParams.dataDocument = dataContext;
  }

  // Also answers the module's template-enumerator id (with ICalcEnum), so that a reader nesting this
  // enumerator may give it its start tick directly.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (out && IsEqualIID(iid, IID_TemplateCalcEnum)) {
      *out = static_cast<ICalcEnum*>(this);
      this->AddRef();
      return S_OK;
    }
    return Family::QueryInterface(iid, out);
  }

  // ICalcEnum
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept override;
  HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IUnknown* reserved, ICalcEnum** clone) noexcept override;
  HRESULT STDMETHODCALLTYPE SetSources(int32_t record, int32_t count, IUnknown** sources, IUnknown** units,
                                       double tickPeriod, uint32_t flags) noexcept override;
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) noexcept override;
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override {
    mParams.sources.clear();  // each reader releases the interface it wraps
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetValueUnits(double* value, IUnknown** units) noexcept override;
  // ICalcEnum slot 17 and IEnumEventEx slot 11.
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override;

  // IEnumEventEx
  HRESULT STDMETHODCALLTYPE Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                 int32_t* nextUnexaminedTick) noexcept override;
  HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override {
    if (!tick) return E_POINTER;
    *tick = mPosition;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx** clone) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override {
    if (!bytes) return E_POINTER;
    *bytes = static_cast<int32_t>(sizeof(Record));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    *typeId = 0;
    return ComTry([&] { *typeId = Family::EventTypeId(Family::kEventTypeNumber); });
  }

  const Params& GetParams() const noexcept { return mParams; }
  Params& GetParams() noexcept { return mParams; }
  bool IsOnline() const noexcept { return mOnline; }

 protected:
  ~EEH3Enumerator() override = default;

 private:
  struct CloneTag {};
  EEH3Enumerator(const EEH3Enumerator& other, CloneTag);

  EEH3Enumerator* MakeClone() const { return new EEH3Enumerator(*this, CloneTag{}); }
  // The record search from p up to e into a fresh record; the position follows the result.
  bool SearchInto(int32_t p, int32_t e, Record& out, int32_t& reported);
  bool FindBackward(int32_t t, int32_t start, Record& out, int32_t& reported);

  int32_t mPosition = -1;
  double mSourceValue = 0.0;
  bool mSettingsLoaded = false;
  bool mMoreData = true;
  bool mOnline = false;
  Params mParams;
  ChannelCache<Algorithm> mCache;
  std::shared_ptr<Record> mPending;
};

template <class Family, int N>
EEH3Enumerator<Family, N>::EEH3Enumerator(const EEH3Enumerator& other, CloneTag)
    : Family(other.DataContext(), other.ClassObject()),
      mPosition(other.mPosition),
      mSourceValue(other.mSourceValue),
      mSettingsLoaded(other.mSettingsLoaded),
      mMoreData(other.mMoreData),
      mOnline(other.mOnline),
      mParams(other.mParams),
      mPending(other.mPending) {}

template <class Family, int N>
HRESULT STDMETHODCALLTYPE EEH3Enumerator<Family, N>::LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept {
  if (kind) *kind = 0x40000000u;
  return ComTry([&] {
    mParams.ResetLimits();
    const QOR::String settings(text);
    std::wistringstream in{std::wstring(settings.GetText())};
    in.imbue(std::locale::classic());
    int32_t leading = 0;
    if (in >> leading) mParams.leadingValue = leading;
    mParams.Load(in);
    mParams.NormaliseLimits();
    mPosition = 0;
    mSettingsLoaded = true;
  });
}

template <class Family, int N>
HRESULT STDMETHODCALLTYPE EEH3Enumerator<Family, N>::SaveSettings(QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  return ComTry([&] {
    std::wostringstream out;
    out.imbue(std::locale::classic());
    mParams.Save(out);
    const std::wstring saved = out.str();
    // The saved text ends at its terminating null character.
    *text = QOR::String(saved.c_str()).AddRefInterface();
  });
}

template <class Family, int N>
HRESULT STDMETHODCALLTYPE EEH3Enumerator<Family, N>::Clone(IUnknown*, ICalcEnum** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  return ComTry([&] { *clone = static_cast<ICalcEnum*>(MakeClone()); });
}

template <class Family, int N>
HRESULT STDMETHODCALLTYPE EEH3Enumerator<Family, N>::Clone(IEnumEventEx** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  return ComTry([&] { *clone = static_cast<IEnumEventEx*>(MakeClone()); });
}

// A new record reads only its own sources: the readers of the previous record are released first, and the
// state being stepped (which belongs to the previous record) is dropped; checkpoints and a pending record stay.
template <class Family, int N>
HRESULT STDMETHODCALLTYPE EEH3Enumerator<Family, N>::SetSources(int32_t record, int32_t count, IUnknown** sources,
                                                                 IUnknown**, double tickPeriod,
                                                                 uint32_t flags) noexcept {
  if (count < 0 || (count > 0 && !sources)) return E_INVALIDARG;
  return ComTry([&] {
    mSourceValue = tickPeriod;
    mParams.tickPeriod = tickPeriod;
    mOnline = static_cast<int32_t>(flags) < 0;
    mParams.record = record;
    mParams.sourceCount = count;
    mParams.sources.clear();
    mCache.DeleteCurrent();
    mParams.AddSources(count, sources);
    mPosition = 0;
    mMoreData = true;
    // A nested stage whose records are shorter than this family reads (stages named out of order) would
    // leave the record unfinished: refuse it, and read nothing.
    for (const auto& reader : mParams.sources) {
      if (reader->Readable()) continue;
      mParams.sources.clear();
      throw XQOR(E_INVALIDARG);
    }
  });
}

template <class Family, int N>
HRESULT STDMETHODCALLTYPE EEH3Enumerator<Family, N>::SetStartTick(int32_t tick) noexcept {
  return ComTry([&] {
    mCache.DeleteCurrent();
    if (mParams.record == mParams.startRecord) tick = std::max(tick, mParams.startTick);
    mPosition = tick;
    for (auto& reader : mParams.sources) reader->SetStartTick(tick);
  });
}

template <class Family, int N>
HRESULT STDMETHODCALLTYPE EEH3Enumerator<Family, N>::GetValueUnits(double* value, IUnknown** units) noexcept {
  if (!value || !units) return E_POINTER;
  *value = mSourceValue;
  *units = nullptr;
  // A units object named "?": the value is the sources' tick period, whose unit the enumerator does not
  // know. Without the host's units service the value goes without units.
  QOR::MakePrefixedUnit(kUnitPrefixNone, L"?", units);
  return S_OK;
}

template <class Family, int N>
HRESULT STDMETHODCALLTYPE EEH3Enumerator<Family, N>::GetTimeBase(TimeBase* timeBase) noexcept {
  if (!timeBase) return E_POINTER;
  *timeBase = TimeBase();
  return ComTry([&] {
    if (!mParams.sources.empty()) mParams.sources[0]->GetTimeBase(timeBase);
  });
}

template <class Family, int N>
bool EEH3Enumerator<Family, N>::SearchInto(int32_t p, int32_t e, Record& out, int32_t& reported) {
  const SearchOutcome outcome = mCache.Search(mParams, p, e, out, mOnline);
  reported = outcome.reported;
  return outcome.found;
}

template <class Family, int N>
HRESULT STDMETHODCALLTYPE EEH3Enumerator<Family, N>::Next(int32_t bufferBytes, int32_t endTick, void* buffer,
                                                          int32_t* returned, int32_t* nextUnexaminedTick) noexcept {
  if (!returned || !nextUnexaminedTick) return E_POINTER;
  *returned = 0;
  const int32_t capacity = std::max(bufferBytes, 0) / static_cast<int32_t>(sizeof(Record));
  if (capacity > 0 && !buffer) return E_POINTER;
  const HRESULT hr = ComTry([&] {
    unsigned char* const bytes = static_cast<unsigned char*>(buffer);
    while (*returned < capacity && mPosition < endTick) {
      Record record;
      if (mPending) {
        record = *mPending;
        mPending.reset();
        // Sources set after the Find put the position back to 0 and dropped the stepped state;
        // resuming from there would hand the pending event out a second time, after itself. The
        // search then goes on just past it.
        if (mPosition < record.tick) mPosition = AddTicksSat(record.tick, 1);
      } else {
        int32_t reported = 0;
        const bool found = SearchInto(mPosition, endTick, record, reported);
        mPosition = found ? record.tick : reported;
        mCache.NoteCurrentTick(mPosition);
        if (!found) break;
      }
      std::memcpy(bytes + static_cast<size_t>(*returned) * sizeof(Record), static_cast<const void*>(&record),
                  sizeof(Record));
      ++*returned;
    }
  });
  mMoreData = mPosition != kRecordEndOffset;
  if (mMoreData) mPosition = std::min(mPosition, endTick);
  *nextUnexaminedTick = mPosition;
  if (FAILED(hr)) return hr;
  return mMoreData ? S_OK : S_FALSE;
}

// The last event of the window at or after start and before t: the search up to t leaves the last event it
// stepped over; when there is none before t in t's chunk, the chunks before are searched in turn.
template <class Family, int N>
bool EEH3Enumerator<Family, N>::FindBackward(int32_t t, int32_t start, Record& out, int32_t& reported) {
  int32_t from = t;
  for (;;) {
    Record stepped;
    SearchInto(from, t, stepped, reported);
    if (stepped.tick != 0) {
      if (stepped.tick > 0 && stepped.tick < t && stepped.tick >= start) {
        out = stepped;
        return true;
      }
      return false;
    }
    const int32_t chunk = ChunkOf(from);
    if (chunk == 0) return false;
    mCache.DeleteCurrent();
    from = chunk * kChunkTicks - 1;
  }
}

template <class Family, int N>
HRESULT STDMETHODCALLTYPE EEH3Enumerator<Family, N>::Find(int32_t backward, int32_t tick, int32_t start,
                                                          int32_t end) noexcept {
  return ComTry([&]() -> HRESULT {
    mCache.DeleteCurrent();
    if (backward != 0 && tick == 0) return S_FALSE;
    if (end == 0 || start == end) {
      mPosition = end;
      return S_FALSE;
    }
    // A negative end means the record end, for the search tick as well: lowering the tick to end - 1 with
    // the negative end itself would move a forward search before the tick asked for (and return an event
    // that lies before it) and leave a backward search nothing to find.
    const int32_t searchEnd = end < 0 ? kRecordEndOffset : end;
    const int32_t t = std::min(std::max(tick, start), searchEnd - 1);
    Record record;
    int32_t reported = 0;
    const bool accepted =
        backward == 0 ? SearchInto(t, searchEnd, record, reported) : FindBackward(t, start, record, reported);
    mPosition = accepted ? record.tick : reported;
    if (!accepted) {
      if (backward == 0 && mPosition < t) mPosition = t;
      if (backward != 0 && mPosition >= t) mPosition = t;
    }
    mCache.NoteCurrentTick(mPosition);
    mPending.reset();
    if (!accepted) return S_FALSE;
    mPending = std::make_shared<Record>(record);
    mPosition = record.tick;
    return S_OK;
  });
}

}  // namespace EEH3
