// The host's channel-calculation engine: formula, sources and enumerator from the calculation,
// and the channel's raw samples record by record.
#include "host/formula/ChannelCalcEngine.h"

#include "host/common/HostClassObject.h"
#include "host/common/HostPtr.h"
#include "host/common/HostString.h"
#include "host/formula/FormulaChain.h"
#include "host/formula/FormulaSyntax.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/ChannelCalc.h"
#include "hostapi/DataDocument.h"
#include "hostapi/HostProgress.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <new>
#include <string>
#include <vector>

namespace host {

namespace {

uint32_t gLastPrepareFlags = 0;  // what LastPrepareFlags answers

// The selected-value events the engine reads: position and the value widened to double.
struct SelectedValue {
  int32_t tick;
  float fraction;
  double value;
};
static_assert(sizeof(SelectedValue) == 16);
constexpr int32_t kBlockEvents = 8;
constexpr int kMaxStalls = 3;

class Engine;

// The engine's own unknown: it alone counts the engine's life.
class EngineInner final : public IUnknown {
 public:
  explicit EngineInner(Engine& engine) noexcept : mEngine(engine) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return static_cast<ULONG>(InterlockedIncrement(&mRefs)); }
  ULONG STDMETHODCALLTYPE Release() noexcept override;

 private:
  Engine& mEngine;
  LONG mRefs = 1;
};

class Engine final : public IHostChannelCalcEngine,
                     public IHostChannelCalcEngine2,
                     public IHostChannelCalc,
                     public IHostChannelCalcInfo {
 public:
  explicit Engine(IUnknown* outer) noexcept : mInner(*this), mOuter(outer ? outer : &mInner) {}

  IUnknown* Inner() noexcept { return &mInner; }
  void* Find(REFIID iid) noexcept {
    if (iid == IID_IHostChannelCalcEngine) return static_cast<IHostChannelCalcEngine*>(this);
    if (iid == IID_IHostChannelCalcEngine2) return static_cast<IHostChannelCalcEngine2*>(this);
    if (iid == IID_IHostChannelCalc) return static_cast<IHostChannelCalc*>(this);
    if (iid == IID_IHostChannelCalcInfo) return static_cast<IHostChannelCalcInfo*>(this);
    return nullptr;
  }

  // Every interface but the inner unknown speaks for the outer object.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    return mOuter->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return mOuter->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return mOuter->Release(); }

  // IHostChannelCalcEngine
  HRESULT STDMETHODCALLTYPE SetSources(int32_t count, const CCalcEnumSourceInfo* sources,
                                       uint32_t* word) noexcept override {
    if (count < 0 || (count > 0 && !sources)) return E_INVALIDARG;
    try {
      mSources.assign(sources, sources + count);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
    if (word) *word = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetFormula(QOR::IQORString* formula, uint32_t* word) noexcept override {
    try {
      mFormula = StringText(formula);
      mRefs = CollectChannelRefs(ParseEnumeratorFormula(mFormula));
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      mRefs.clear();  // a text the parser refuses is reported by the enumerator below
    }
    mValues.clear();
    if (!mEnumerator) return E_FAIL;
    (void)word;  // the word goes back as given
    return mEnumerator->LoadSettings(formula, nullptr);
  }
  HRESULT STDMETHODCALLTYPE SetEnumerator(ICalculationClass* calculationClass, int32_t, uint32_t,
                                          IHostDataDocument* context, IUnknown* enumerator) noexcept override {
    mContext = context;  // the context outlives its calculations
    mClassTypeId = 0;
    if (calculationClass) calculationClass->GetTypeId(&mClassTypeId);
    mEnumerator.Reset();
    mValues.clear();
    if (!enumerator) return E_POINTER;
    return enumerator->QueryInterface(IID_ICalcEnum, reinterpret_cast<void**>(mEnumerator.Out()));
  }

  HRESULT STDMETHODCALLTYPE Prepare(IUnknown* hostDocument, int32_t startRecord, int32_t startTick,
                                    int32_t endRecord, int32_t endTick, float* top, float* bottom,
                                    uint32_t flags) noexcept override;
  HRESULT STDMETHODCALLTYPE Finish() noexcept override {
    mValues.clear();
    return S_OK;
  }

  // IHostChannelCalcEngine2
  HRESULT STDMETHODCALLTYPE ReadRaw(int32_t record, int32_t startTick, int32_t count, const void* format,
                                    int16_t* samples) noexcept override;

  // IHostChannelCalc: the settings go to the calculation that aggregates the engine.
  HRESULT STDMETHODCALLTYPE ApplySettings(IUnknown* settings, VARIANT_BOOL) noexcept override {
    HostPtr<IChannelCalc> calc;
    HostPtr<IPersistObject> persist;
    if (FAILED(mOuter->QueryInterface(IID_IChannelCalc, reinterpret_cast<void**>(calc.Out())))) return E_NOINTERFACE;
    if (settings) settings->QueryInterface(IID_IPersistObject, reinterpret_cast<void**>(persist.Out()));
    return calc->ApplySettings(persist.Get(), 0);
  }
  HRESULT STDMETHODCALLTYPE Reset() noexcept override {
    mValues.clear();
    return S_OK;
  }

  // IHostChannelCalcInfo: 0 until a class handed the enumerator.
  HRESULT STDMETHODCALLTYPE GetClassTypeId(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    *typeId = mClassTypeId;
    return S_OK;
  }

 private:
  // The record's events as (tick, value), read through the enumerator.
  HRESULT RecordEvents(int32_t record, std::vector<SelectedValue>& events);

  EngineInner mInner;
  IUnknown* mOuter;
  std::vector<CCalcEnumSourceInfo> mSources;
  std::wstring mFormula;
  std::vector<ChannelRef> mRefs;
  HostPtr<ICalcEnum> mEnumerator;
  IHostDataDocument* mContext = nullptr;
  uint32_t mClassTypeId = 0;
  std::map<int32_t, std::vector<SelectedValue>> mValues;  // per record, read once
};

HRESULT STDMETHODCALLTYPE EngineInner::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown) {
    *out = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  void* const part = mEngine.Find(iid);
  if (!part) return E_NOINTERFACE;
  *out = part;
  static_cast<IUnknown*>(static_cast<IHostChannelCalcEngine*>(&mEngine))->AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE EngineInner::Release() noexcept {
  const LONG refs = InterlockedDecrement(&mRefs);
  if (refs == 0) delete &mEngine;
  return static_cast<ULONG>(refs);
}

HRESULT Engine::RecordEvents(int32_t record, std::vector<SelectedValue>& events) {
  if (!mEnumerator || !mContext) return E_FAIL;
  std::vector<HostPtr<IUnknown>> held;
  std::vector<IUnknown*> sources;
  for (const ChannelRef& ref : mRefs) {
    HostPtr<IUnknown> source;
    if (mContext->GetChannelSource(ref.channel, ChannelRequestFor(ref, false), record, 0, kEnumRecordEnd,
                                   source.Out()) != S_OK)
      return E_INVALIDARG;
    sources.push_back(source.Get());
    held.push_back(std::move(source));
  }
  double period = 0.0;
  mContext->GetRecordTickPeriod(0, record, &period);
  HRESULT hr = mEnumerator->SetSources(record, static_cast<int32_t>(sources.size()),
                                       sources.empty() ? nullptr : sources.data(), nullptr, period, 0);
  if (SUCCEEDED(hr)) hr = mEnumerator->SetStartTick(0);
  HostPtr<IEnumEventEx> reader;
  if (SUCCEEDED(hr)) hr = mEnumerator->QueryInterface(IID_IEnumEventEx, reinterpret_cast<void**>(reader.Out()));
  int32_t size = 0;
  if (SUCCEEDED(hr)) hr = reader->GetRecordSize(&size);
  if (FAILED(hr)) return hr;
  if (size != static_cast<int32_t>(sizeof(SelectedValue))) return E_UNEXPECTED;
  SelectedValue block[kBlockEvents];
  for (int stalls = 0; stalls <= kMaxStalls;) {
    int32_t returned = 0, next = 0;
    hr = reader->Next(static_cast<int32_t>(sizeof(block)), kEnumRecordEnd, block, &returned, &next);
    if (FAILED(hr)) return hr;
    events.insert(events.end(), block, block + std::max<int32_t>(0, std::min(returned, kBlockEvents)));
    if (hr == S_FALSE) return S_OK;
    stalls = returned == 0 ? stalls + 1 : 0;
  }
  return E_FAIL;
}

// Raw sample of a value in the format: value = scale * (raw + offset), saturated to 16 bits.
int16_t RawOf(double value, const ChannelCalcFormat& format) {
  if (!std::isfinite(value)) return 0;
  const double raw = std::round(value / format.scale - format.offset);
  return static_cast<int16_t>(std::clamp(raw, -32768.0, 32767.0));
}

HRESULT STDMETHODCALLTYPE Engine::ReadRaw(int32_t record, int32_t startTick, int32_t count, const void* format,
                                          int16_t* samples) noexcept {
  if (!format || !samples || count < 0 || startTick < 0) return E_INVALIDARG;
  try {
    auto found = mValues.find(record);
    if (found == mValues.end()) {
      std::vector<SelectedValue> events;
      const HRESULT hr = RecordEvents(record, events);
      if (FAILED(hr)) return hr;
      found = mValues.emplace(record, std::move(events)).first;
    }
    const std::vector<SelectedValue>& events = found->second;
    const auto& outFormat = *static_cast<const ChannelCalcFormat*>(format);
    size_t next = 0;
    double held = std::numeric_limits<double>::quiet_NaN();
    for (int32_t i = 0; i < count; ++i) {
      const int32_t tick = startTick + i;
      while (next < events.size() && events[next].tick <= tick) held = events[next++].value;
      samples[i] = RawOf(held, outFormat);
    }
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

// The extremes of the formula's values over the range; the host document is not needed, the
// engine reads through its context.
HRESULT STDMETHODCALLTYPE Engine::Prepare(IUnknown*, int32_t startRecord, int32_t startTick, int32_t endRecord,
                                          int32_t endTick, float* top, float* bottom, uint32_t flags) noexcept {
  gLastPrepareFlags = flags;
  if (!top || !bottom) return E_POINTER;
  if (!mContext || !mEnumerator) return E_FAIL;
  int32_t records = 0;
  if (FAILED(mContext->GetRecordCount(&records))) return E_FAIL;
  const int32_t last = std::min(endRecord, records - 1);
  double high = -std::numeric_limits<double>::infinity();
  double low = std::numeric_limits<double>::infinity();
  try {
    for (int32_t record = std::max(startRecord, 0); record <= last; ++record) {
      std::vector<SelectedValue> events;
      const HRESULT hr = RecordEvents(record, events);
      if (FAILED(hr)) return hr;
      for (const SelectedValue& e : events) {
        if ((record == startRecord && e.tick < startTick) || (record == endRecord && e.tick >= endTick)) continue;
        if (!std::isfinite(e.value)) continue;
        high = std::max(high, e.value);
        low = std::min(low, e.value);
      }
      mValues[record] = std::move(events);
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  if (low > high) return S_FALSE;
  *top = static_cast<float>(high);
  *bottom = static_cast<float>(low);
  return S_OK;
}

class EngineClass final : public HostClassObject<ILumoClassObject, IClassFactory> {
 public:
  explicit EngineClass(uint32_t typeId) noexcept : HostClassObject(typeId, L"Channel Calculation Engine") {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer && iid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    HostPtr<IUnknown> inner;
    const HRESULT hr = CreateChannelCalcEngine(outer, inner.Out());
    if (FAILED(hr)) return hr;
    return inner->QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) noexcept override { return S_OK; }

 private:
  ~EngineClass() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ILumoClassObject) return static_cast<ILumoClassObject*>(this);
    if (iid == IID_IClassFactory) return static_cast<IClassFactory*>(this);
    return nullptr;
  }
};

}  // namespace

uint32_t LastPrepareFlags() noexcept { return gLastPrepareFlags; }

HRESULT CreateChannelCalcEngine(IUnknown* outer, IUnknown** inner) {
  if (!inner) return E_POINTER;
  *inner = nullptr;
  Engine* const engine = new (std::nothrow) Engine(outer);
  if (!engine) return E_OUTOFMEMORY;
  *inner = engine->Inner();
  return S_OK;
}

HRESULT RegisterChannelCalcEngineClass(IClassRegistry* registry, ITypeRegistry* types) {
  if (!registry || !types) return E_POINTER;
  uint16_t index = 0;
  const HRESULT hr = types->RegisterGuid(&kHostUiClassGuid, &index);
  if (FAILED(hr)) return hr;
  HostPtr<ILumoClassObject> engineClass;
  engineClass.Attach(new (std::nothrow) EngineClass((static_cast<uint32_t>(index) << 16) | kChannelCalcEngineNumber));
  if (!engineClass) return E_OUTOFMEMORY;
  return registry->RegisterClassObject(engineClass.Get());
}

}  // namespace host
