// PXConvert: settings text, sources and the conversion of per-cycle events into detector peaks.
#include "enumerators/pxconvert/PXConvert.h"

#include <algorithm>
#include <cstring>
#include <locale>
#include <sstream>
#include <string>

#include "base/String.h"
#include "base/EventRecords.h"
#include "base/NoValue.h"
#include "enumerators/framework/ParamsBase.h"
#include "hostclient/ComBoundary.h"

namespace ZR::Enum {

namespace {

constexpr int32_t kOutSize = static_cast<int32_t>(sizeof(EventPkStm));
constexpr int32_t kInSize = static_cast<int32_t>(sizeof(CycleEventRecord));

}  // namespace

HRESULT STDMETHODCALLTYPE PXConvert::LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept {
  if (kind) *kind = 0x40000000u;
  return ComTry([&] {
    const QOR::String settings(text);
    std::wistringstream in{std::wstring(settings.GetText())};
    in.imbue(std::locale::classic());
    // Only the limits, with no leading integer; four zeros (the analysis's text for "no region") mean no
    // limits, as in the template families.
    mLimits.Read(in);
    mLimits.Normalise();
    mPastEnd = false;
  });
}

// The same number form as the template families, so that LoadSettings reads back the very same limits.
HRESULT STDMETHODCALLTYPE PXConvert::SaveSettings(QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  return ComTry([&] {
    std::wostringstream out;
    out.imbue(std::locale::classic());
    mLimits.Write(out);
    *text = QOR::String(out.str().c_str()).AddRefInterface();
  });
}

PXConvert* PXConvert::MakeClone() const {
  PXConvert* const copy = new PXConvert(DataContext(), ClassObject());
  copy->mLimits = mLimits;
  return copy;
}

HRESULT STDMETHODCALLTYPE PXConvert::Clone(IUnknown*, ICalcEnum** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  return ComTry([&] { *clone = static_cast<ICalcEnum*>(MakeClone()); });
}

HRESULT STDMETHODCALLTYPE PXConvert::Clone(IEnumEventEx** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  return ComTry([&] { *clone = static_cast<IEnumEventEx*>(MakeClone()); });
}

HRESULT STDMETHODCALLTYPE PXConvert::SetSources(int32_t record, int32_t count, IUnknown** sources, IUnknown**,
                                                double, uint32_t) noexcept {
  if (count < 0 || (count > 0 && !sources)) return E_INVALIDARG;
  return ComTry([&] {
    mCurrentRecord = record;
    mPastEnd = record > mLimits.endRecord;
    mHeld.clear();
    mEventSource.Reset();
    if (count >= 2 && sources[1]) sources[1]->QueryInterface(IID_IEnumEventEx, mEventSource.OutVoid());
    mChannelReader.reset();
    mChannelReader = std::make_unique<EEH3::FloatExWrapper>(count >= 1 ? sources[0] : nullptr);
  });
}

HRESULT STDMETHODCALLTYPE PXConvert::SetStartTick(int32_t tick) noexcept {
  if (!mEventSource) return E_FAIL;
  return ComTry([&]() -> HRESULT {
    ComPtr<ICalcEnum> calc;
    HRESULT hr = S_FALSE;  // an event source without ICalcEnum has nothing to be told
    if (SUCCEEDED(mEventSource->QueryInterface(IID_ICalcEnum, calc.OutVoid())) && calc) hr = calc->SetStartTick(tick);
    if (mChannelReader) mChannelReader->SetStartTick(tick);
    return hr;
  });
}

HRESULT STDMETHODCALLTYPE PXConvert::ResetCache() noexcept {
  mHeld.clear();
  mEventSource.Reset();
  mChannelReader.reset();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PXConvert::GetValueUnits(double* value, IUnknown** units) noexcept {
  if (!value || !units) return E_POINTER;
  *value = 0.0;
  *units = nullptr;
  if (!mEventSource) return E_FAIL;
  ComPtr<ICalcEnum> calc;
  if (FAILED(mEventSource->QueryInterface(IID_ICalcEnum, calc.OutVoid())) || !calc) return S_FALSE;
  return calc->GetValueUnits(value, units);
}

HRESULT STDMETHODCALLTYPE PXConvert::GetCapabilities(uint32_t* capabilities) noexcept {
  if (!capabilities) return E_POINTER;
  *capabilities = 0x10000000u;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PXConvert::GetTimeBase(TimeBase* timeBase) noexcept {
  if (!timeBase) return E_POINTER;
  *timeBase = TimeBase();
  if (!mEventSource) return E_FAIL;
  return mEventSource->GetTimeBase(timeBase);
}

bool PXConvert::OutsideLimits(int32_t tick) const noexcept {
  const int32_t r = mCurrentRecord;
  const bool beforeStart = r < mLimits.startRecord || (r == mLimits.startRecord && tick < mLimits.startTick);
  const bool afterEnd = (mLimits.endRecord >= 0 && r > mLimits.endRecord) ||
                        (r == mLimits.endRecord && tick >= mLimits.endTick);
  return beforeStart || afterEnd;
}

int32_t PXConvert::HandOutHeld(int32_t endTick, int32_t capacity, unsigned char* out) {
  int32_t written = 0;
  while (!mHeld.empty() && written < capacity && mHeld.front().tick < endTick) {
    std::memcpy(out + static_cast<size_t>(written) * kOutSize, static_cast<const void*>(&mHeld.front()), kOutSize);
    mHeld.pop_front();
    ++written;
  }
  return written;
}

int32_t PXConvert::Convert(const CycleEventRecord* in, int32_t count, int32_t endTick, unsigned char* out) {
  int32_t written = 0;
  for (int32_t i = 0; i < count && !mPastEnd; ++i) {
    const CycleEventRecord& e = in[i];
    if (OutsideLimits(e.tick)) {
      mPastEnd = mCurrentRecord >= mLimits.endRecord && e.tick >= mLimits.endTick;
      continue;
    }
    if (IsNoValue(e.value)) continue;
    EventPkStm peak;
    peak.SetPosition(static_cast<double>(e.tick) + static_cast<double>(e.fraction));
    peak.kind = kEventPeak;
    // The height is the sample at the event's own tick; without one the peak has no value.
    SetNoValue(peak.value);
    if (mChannelReader) {
      mChannelReader->SeekTo(e.tick);
      if (mChannelReader->Ready() && mChannelReader->Position() == e.tick) peak.value = mChannelReader->Value();
    }
    if (peak.tick >= endTick || !mHeld.empty()) {
      mHeld.push_back(peak);
      continue;
    }
    std::memcpy(out + static_cast<size_t>(written) * kOutSize, static_cast<const void*>(&peak), sizeof peak);
    ++written;
  }
  return written;
}

// A record that is finished (the event source ended it, or the limits' end was passed) answers S_FALSE with
// kRecordEndOffset, as every enumerator does, so that a caller reading to the record's end learns that it is
// there; otherwise S_OK.
HRESULT STDMETHODCALLTYPE PXConvert::Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                          int32_t* nextUnexaminedTick) noexcept {
  if (!returned || !nextUnexaminedTick) return E_POINTER;
  *returned = 0;
  *nextUnexaminedTick = 0;
  const int32_t capacity = std::max(bufferBytes, 0) / kOutSize;
  if (capacity > 0 && !buffer) return E_POINTER;
  unsigned char* const out = static_cast<unsigned char*>(buffer);
  *returned = HandOutHeld(endTick, capacity, out);
  if (!mHeld.empty()) {
    // The held peak lies at or beyond endTick: nothing read later may come before it.
    *nextUnexaminedTick = std::min(mHeld.front().tick, endTick);
    return S_OK;
  }
  if (mPastEnd) {
    *nextUnexaminedTick = kRecordEndOffset;
    return S_FALSE;
  }
  if (!mEventSource) return E_FAIL;
  return ComTry([&]() -> HRESULT {
    if (mInput.size() < static_cast<size_t>(capacity)) mInput.resize(static_cast<size_t>(capacity));
    HRESULT hr = S_OK;
    while (hr == S_OK && *nextUnexaminedTick < endTick && *returned < capacity) {
      // No more input records than output slots remain, so every converted event fits.
      const int32_t want = (capacity - *returned) * kInSize;
      int32_t got = 0;
      hr = mEventSource->Next(want, endTick, mInput.data(), &got, nextUnexaminedTick);
      got = std::clamp(got, 0, capacity - *returned);
      const bool stop = hr == S_OK && *nextUnexaminedTick < endTick && got * kInSize < want;
      *returned += Convert(mInput.data(), got, endTick, out + static_cast<size_t>(*returned) * kOutSize);
      if (!mHeld.empty()) {
        *nextUnexaminedTick = std::min(mHeld.front().tick, endTick);
        return S_OK;
      }
      if (mPastEnd) *nextUnexaminedTick = kRecordEndOffset;
      if (mPastEnd || stop) break;
    }
    if (*nextUnexaminedTick == kRecordEndOffset && (mPastEnd || hr == S_FALSE)) return S_FALSE;
    // An event source that failed ends the call with what was converted.
    return SUCCEEDED(hr) ? S_OK : S_FALSE;
  });
}

HRESULT STDMETHODCALLTYPE PXConvert::Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept {
  mPastEnd = false;
  mHeld.clear();
  if (!mEventSource) return E_FAIL;
  return mEventSource->Find(backward, tick, start, end);
}

HRESULT STDMETHODCALLTYPE PXConvert::GetPosition(int32_t* tick) noexcept {
  if (!tick) return E_POINTER;
  *tick = 0;
  if (!mHeld.empty()) {
    *tick = mHeld.front().tick;
    return S_OK;
  }
  if (mPastEnd) {
    *tick = kRecordEndOffset;
    return S_OK;
  }
  if (!mEventSource) return E_FAIL;
  return mEventSource->GetPosition(tick);
}

HRESULT STDMETHODCALLTYPE PXConvert::GetRecordSize(int32_t* bytes) noexcept {
  if (!bytes) return E_POINTER;
  *bytes = kOutSize;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PXConvert::GetEventType(uint32_t* typeId) noexcept {
  if (!typeId) return E_POINTER;
  *typeId = 0;
  return ComTry([&] { *typeId = EventTypeId(3); });  // the preview-only draw class
}

}  // namespace ZR::Enum
