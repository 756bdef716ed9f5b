// The cycle detector enumerator: reads its channel in blocks, scans it and hands out the cycles found.
#include "host/cycles/CycleEnumerator.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <locale>
#include <sstream>
#include <vector>

#include "host/common/EventEnumClone.h"
#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/common/HostString.h"
#include "host/cycles/CycleScan.h"
#include "host/cycles/DetectionSettings.h"
#include "hostapi/CycleDetection.h"

namespace host {

namespace {

constexpr int32_t kRecordSize = static_cast<int32_t>(sizeof(CycleEventRecord));
constexpr int32_t kBlock = 1024;

class CycleEnumerator final : public HostObject<ICalcEnum, IEnumEventEx> {
 public:
  explicit CycleEnumerator(ICalcEnumClass2* classObject) : mClass(classObject) {}

  // ICalcEnum
  HRESULT STDMETHODCALLTYPE GetSourceInfo(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    *typeId = 0;
    return mClass ? mClass->GetTypeId(typeId) : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataSource(IUnknown** classObject) noexcept override {
    if (!classObject) return E_POINTER;
    *classObject = mClass.Get();
    if (*classObject) (*classObject)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept override {
    if (kind) *kind = kCalcParamKindValue;
    try {
      std::wistringstream in(StringText(text));
      in.imbue(std::locale::classic());
      mArgCount = 0;
      double value = 0.0;
      while (mArgCount < 6 && in >> value) mArguments[mArgCount++] = value;
      mText = StringText(text);
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString** text) noexcept override {
    if (!text) return E_POINTER;
    *text = nullptr;
    try {
      *text = MakeHostString(mText).Detach();
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE Clone(IUnknown*, ICalcEnum** clone) noexcept override {
    if (!clone) return E_POINTER;
    *clone = nullptr;
    try {
      auto* const copy = new CycleEnumerator(mClass.Get());
      copy->mText = mText;
      copy->mArgCount = mArgCount;
      std::copy(mArguments, mArguments + 6, copy->mArguments);
      *clone = copy;
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE SetSources(int32_t, int32_t count, IUnknown** sources, IUnknown**, double tickPeriod,
                                       uint32_t) noexcept override {
    if (count < 1 || !sources || !sources[0]) return E_INVALIDARG;
    HostPtr<ISampleSource> source;
    if (FAILED(sources[0]->QueryInterface(IID_ISampleSource, reinterpret_cast<void**>(source.Out()))))
      return E_NOINTERFACE;
    mSource = std::move(source);
    mTickPeriod = tickPeriod;
    mRules = RulesFromArguments(mArguments, mArgCount, tickPeriod);
    Restart(0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) noexcept override {
    if (!mSource) return E_UNEXPECTED;
    Restart(std::max(tick, 0));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override {
    mSource = HostPtr<ISampleSource>();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetParamKind(int32_t, int32_t which, uint32_t* kind) noexcept override {
    if (!kind) return E_POINTER;
    *kind = which != 0 ? kCalcParamKindValue : 0u;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetValueUnits(double* value, IUnknown** units) noexcept override {
    if (!value || !units) return E_POINTER;
    *value = mTickPeriod;
    *units = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t* capabilities) noexcept override {
    if (!capabilities) return E_POINTER;
    *capabilities = 0x10000000u;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetResultKind(uint32_t* kind) noexcept override {
    if (!kind) return E_POINTER;
    *kind = 0x801B0002u;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override {
    if (!timeBase) return E_POINTER;
    *timeBase = TimeBase();
    return mSource ? mSource->GetTimeBase(timeBase) : S_OK;
  }

  // IEnumEventEx
  HRESULT STDMETHODCALLTYPE Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                 int32_t* nextUnexaminedTick) noexcept override;
  HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override {
    if (!tick) return E_POINTER;
    *tick = Position(kEnumRecordEnd);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved6(void** out) noexcept override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx** clone) noexcept override { return CloneAsEventEnum(*this, clone); }
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override {
    if (!bytes) return E_POINTER;
    *bytes = kRecordSize;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) noexcept override { return GetSourceInfo(typeId); }
  HRESULT STDMETHODCALLTYPE Reserved10(void** out) noexcept override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ICalcEnum) return static_cast<ICalcEnum*>(this);
    if (iid == IID_IEnumEventEx) return static_cast<IEnumEventEx*>(this);
    return nullptr;
  }
  void Restart(int32_t startTick);
  // Reads and scans one block, or at the record's end (mEnded) closes the scan; false when that gave nothing.
  bool ScanBlock();
  // The first tick at which a cycle not yet handed out may lie, at most limit.
  int32_t Position(int32_t limit) const;

  HostPtr<ICalcEnumClass2> mClass;
  HostPtr<ISampleSource> mSource;
  std::wstring mText;
  double mArguments[6] = {};
  int32_t mArgCount = 0;
  double mTickPeriod = 0.0;
  CycleRules mRules;
  CycleScanState mScan;
  std::deque<CycleEventRecord> mFound;  // cycles completed and not yet handed out, in tick order
  std::vector<CycleEventRecord> mBlockFound;
  std::vector<float> mSamples = std::vector<float>(kBlock);
  int32_t mStartTick = 0;
  bool mEnded = false;
};

void CycleEnumerator::Restart(int32_t startTick) {
  mScan = CycleScanState();
  mFound.clear();
  mEnded = false;
  mStartTick = startTick;
  // The baseline needs the samples before the start: the scan always runs from the record's start.
  if (mSource) mSource->Seek(0);
}

bool CycleEnumerator::ScanBlock() {
  if (!mSource || mEnded) return false;
  int32_t read = 0;
  const HRESULT hr = mSource->Read(kBlock, mSamples.data(), &read);
  mBlockFound.clear();
  if (read <= 0) {
    if (hr == S_OK) return false;
    mEnded = true;
    FinishCycles(mScan, mRules, mBlockFound);
  } else {
    ScanCycles(mScan, mRules, mSamples.data(), std::min(read, kBlock), mBlockFound);
  }
  for (const CycleEventRecord& e : mBlockFound)
    if (e.tick >= mStartTick) mFound.push_back(e);
  return read > 0 || !mBlockFound.empty();
}

int32_t CycleEnumerator::Position(int32_t limit) const {
  // A cycle not started yet lies at a sample not read or not searched yet; the open one at its extreme so far
  // or later.
  int32_t position = mEnded ? kEnumRecordEnd : PendingCycleTick(mScan);
  if (!mFound.empty()) position = std::min(position, mFound.front().tick);
  return std::min(position, limit);
}

HRESULT STDMETHODCALLTYPE CycleEnumerator::Next(int32_t bufferBytes, int32_t endTick, void* buffer,
                                                int32_t* returned, int32_t* nextUnexaminedTick) noexcept {
  if (!returned || !nextUnexaminedTick) return E_POINTER;
  *returned = 0;
  *nextUnexaminedTick = 0;
  if (!mSource) return E_UNEXPECTED;
  const int32_t capacity = std::max(bufferBytes, 0) / kRecordSize;
  if (capacity > 0 && !buffer) return E_POINTER;
  try {
    auto* const out = static_cast<unsigned char*>(buffer);
    while (*returned < capacity) {
      if (!mFound.empty()) {
        if (mFound.front().tick >= endTick) break;
        std::memcpy(out + static_cast<size_t>(*returned) * kRecordSize, &mFound.front(), sizeof(CycleEventRecord));
        mFound.pop_front();
        ++*returned;
        continue;
      }
      if (Position(endTick) >= endTick || !ScanBlock()) break;
    }
    *nextUnexaminedTick = Position(endTick);
    return *nextUnexaminedTick == kEnumRecordEnd && mEnded && mFound.empty() ? S_FALSE : S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

// Forward: the first cycle in [max(tick, start), end); backward: the last one in [start, tick). The scan runs
// again from the record's start, so Find may be called anywhere.
HRESULT STDMETHODCALLTYPE CycleEnumerator::Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept {
  if (!mSource) return E_UNEXPECTED;
  try {
    const int32_t from = backward != 0 ? start : std::max(tick, start);
    const int32_t to = backward != 0 ? tick : (end < 0 ? kEnumRecordEnd : end);
    Restart(from);
    std::deque<CycleEventRecord> inRange;
    while (!mEnded && PendingCycleTick(mScan) < to) {
      if (!ScanBlock()) break;
    }
    for (const CycleEventRecord& e : mFound)
      if (e.tick >= from && e.tick < to) inRange.push_back(e);
    if (inRange.empty()) return S_FALSE;
    const CycleEventRecord found = backward != 0 ? inRange.back() : inRange.front();
    Restart(found.tick);
    while (mFound.empty() && ScanBlock()) {
    }
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace

HRESULT CreateCycleEnumerator(ICalcEnumClass2* classObject, ICalcEnum** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  try {
    *out = new CycleEnumerator(classObject);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace host
