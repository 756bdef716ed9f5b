// ERStimSOB: settings text, the one stimulus of each record, and Find.
#include "enumerators/erstimsob/ERStimSOB.h"

#include <cstring>
#include <locale>
#include <sstream>
#include <string>

#include "base/String.h"
#include "base/TickConversion.h"
#include "base/EventRecords.h"
#include "base/NoValue.h"
#include "enumerators/framework/ParamsBase.h"
#include "hostclient/ComBoundary.h"
#include "hostapi/HostUnits.h"
#include "hostclient/HostUnits.h"

namespace ZR::Enum::ERStimSOB {

HRESULT STDMETHODCALLTYPE Enum::LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept {
  if (kind) *kind = 0x40000000u;
  return ComTry([&] {
    const QOR::String settings(text);
    std::wistringstream in{std::wstring(settings.GetText())};
    in.imbue(std::locale::classic());
    mPositionMs = 0.0;
    EEH3::ReadSettingsDouble(in, mPositionMs);
    // Unlike the template families no leading integer; as there, four zeros (the analysis's text for "no
    // region") mean no limits.
    mLimits.Read(in);
    mLimits.Normalise();
    mPosition = -1;
  });
}

// The same number form as the template families, so that LoadSettings reads back the very same values.
HRESULT STDMETHODCALLTYPE Enum::SaveSettings(QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  return ComTry([&] {
    std::wostringstream out;
    out.imbue(std::locale::classic());
    EEH3::WriteSettingsDouble(out, mPositionMs);
    mLimits.Write(out);
    *text = QOR::String(out.str().c_str()).AddRefInterface();
  });
}

Enum* Enum::MakeClone() const {
  Enum* const copy = new Enum(DataContext(), ClassObject());
  copy->mPosition = mPosition;
  copy->mStimTick = mStimTick;
  copy->mPositionMs = mPositionMs;
  copy->mLimits = mLimits;
  copy->mSecondsPerTick = mSecondsPerTick;
  copy->mRecord = mRecord;
  return copy;
}

HRESULT STDMETHODCALLTYPE Enum::Clone(IUnknown*, ICalcEnum** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  return ComTry([&] { *clone = static_cast<ICalcEnum*>(MakeClone()); });
}

HRESULT STDMETHODCALLTYPE Enum::Clone(IEnumEventEx** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  return ComTry([&] { *clone = static_cast<IEnumEventEx*>(MakeClone()); });
}

HRESULT STDMETHODCALLTYPE Enum::SetSources(int32_t record, int32_t, IUnknown**, IUnknown**, double tickPeriod,
                                           uint32_t) noexcept {
  mRecord = record;
  mSecondsPerTick = tickPeriod;
  mPosition = 0;
  mStimTick = MsToTicksByPeriodMs(mPositionMs, tickPeriod);
  return S_OK;
}

// It reads no source: nothing to seek or to drop.
HRESULT STDMETHODCALLTYPE Enum::SetStartTick(int32_t) noexcept { return S_OK; }
HRESULT STDMETHODCALLTYPE Enum::ResetCache() noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE Enum::GetValueUnits(double* value, IUnknown** units) noexcept {
  if (!value || !units) return E_POINTER;
  *value = mSecondsPerTick;
  *units = nullptr;
  // As the template families: a units object named "?"; without the host's units service, none.
  QOR::MakePrefixedUnit(kUnitPrefixNone, L"?", units);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Enum::GetCapabilities(uint32_t* capabilities) noexcept {
  if (!capabilities) return E_POINTER;
  *capabilities = 0x10000000u;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Enum::GetTimeBase(TimeBase* timeBase) noexcept {
  if (!timeBase) return E_POINTER;
  *timeBase = TimeBase();
  return S_OK;
}

bool Enum::InsideLimits() const noexcept {
  if (mRecord < mLimits.startRecord || mRecord > mLimits.endRecord) return false;
  if (mRecord == mLimits.startRecord && mStimTick < mLimits.startTick) return false;
  if (mRecord == mLimits.endRecord && mStimTick >= mLimits.endTick) return false;
  return true;
}

HRESULT STDMETHODCALLTYPE Enum::Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                     int32_t* nextUnexaminedTick) noexcept {
  if (!returned || !nextUnexaminedTick) return E_POINTER;
  *returned = 0;
  const bool due = mPosition <= mStimTick && mStimTick < endTick && InsideLimits();
  if (due && (bufferBytes < static_cast<int32_t>(sizeof(EventPkStm)) || !buffer)) {
    // No room for the stimulus: it stays due, and the caller learns where it lies.
    mPosition = mStimTick;
    *nextUnexaminedTick = mPosition;
    return S_OK;
  }
  if (due) {
    const EventPkStm stimulus = EventPkStm::Stimulus(static_cast<double>(mStimTick));
    std::memcpy(buffer, static_cast<const void*>(&stimulus), sizeof stimulus);
    *returned = 1;
  }
  mPosition = endTick;
  *nextUnexaminedTick = endTick;
  return endTick == kRecordEndOffset ? S_FALSE : S_OK;
}

HRESULT STDMETHODCALLTYPE Enum::Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept {
  if (backward != 0) {
    if (start < mStimTick && mStimTick <= tick) {
      mPosition = mStimTick;
      return S_OK;
    }
    mPosition = start;
    return S_FALSE;
  }
  if (tick <= mStimTick && mStimTick < end) {
    mPosition = mStimTick;
    return S_OK;
  }
  mPosition = end;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE Enum::GetPosition(int32_t* tick) noexcept {
  if (!tick) return E_POINTER;
  *tick = mPosition;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Enum::GetRecordSize(int32_t* bytes) noexcept {
  if (!bytes) return E_POINTER;
  *bytes = static_cast<int32_t>(sizeof(EventPkStm));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Enum::GetEventType(uint32_t* typeId) noexcept {
  if (!typeId) return E_POINTER;
  *typeId = 0;
  return ComTry([&] { *typeId = EventTypeId(0); });  // the detectors' draw class
}

}  // namespace ZR::Enum::ERStimSOB
