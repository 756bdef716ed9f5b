// The host's formula enumerator: an enumerator chain built from formula text.
#include "host/formula/FormulaEnumerator.h"

#include "host/common/EventEnumClone.h"
#include "host/common/HostObject.h"
#include "host/common/HostString.h"
#include "host/common/MessageText.h"
#include "host/formula/FormulaChain.h"
#include "host/formula/SampleTee.h"
#include "host/formula/SignalChannel.h"
#include "hostapi/DataDocument.h"


#include <memory>
#include <new>

namespace host {

namespace {

// A stage that did not take the sources it was given, with what they are.
struct SourcesRefused {
  HRESULT hr;
  std::wstring message;
};

std::wstring CallText(const ChainNode& node) {
  return L"'" + node.name + L"' at position " + std::to_wstring(node.position);
}

std::wstring DescribeRefusal(const FormulaChain& chain, const ChainNode& node) {
  std::wstring text = CallText(node) + L" refused its sources";
  for (size_t i = 0; i < node.sources.size(); ++i) {
    const ChainSource& s = node.sources[i];
    if (s.isChannel) continue;
    const ChainNode& nested = chain.nodes[s.index];
    HostPtr<IEnumEventEx> events = nested.calc.As<IEnumEventEx>(IID_IEnumEventEx);
    int32_t bytes = 0;
    uint32_t type = 0;
    if (!events || FAILED(events->GetRecordSize(&bytes)) || FAILED(events->GetEventType(&type))) continue;
    text += L"; its source " + std::to_wstring(i + 1) + L", " + CallText(nested) + L", gives records of " +
            std::to_wstring(bytes) + L" bytes (event type " + std::to_wstring(type & 0xFFFF) + L")";
  }
  return text;
}

bool IsSignalFormula(const std::wstring& text) {
  try {
    SignalFormula signal(text);
    return true;
  } catch (const FormulaError&) {
    return false;
  }
}

class FormulaEnumerator final : public HostObject<ICalcEnum, IEnumEventEx> {
 public:
  FormulaEnumerator(ICalcEnumClass2* formulaClass, uint32_t typeId, ClassListSource classes,
                    IUnknown* dataContext)
      : mClass(formulaClass), mTypeId(typeId), mClasses(std::move(classes)), mDataContext(dataContext) {}

  // ICalcEnum
  HRESULT STDMETHODCALLTYPE GetSourceInfo(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    *typeId = mTypeId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataSource(IUnknown** classObject) noexcept override {
    if (!classObject) return E_POINTER;
    *classObject = mClass.Get();
    if (*classObject) (*classObject)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept override;
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
  HRESULT STDMETHODCALLTYPE Clone(IUnknown* reserved, ICalcEnum** clone) noexcept override;
  HRESULT STDMETHODCALLTYPE SetSources(int32_t record, int32_t count, IUnknown** sources,
                                       IUnknown** units, double tickPeriod,
                                       uint32_t flags) noexcept override;
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) noexcept override {
    if (mSignal.Loaded()) return mSignal.Seek(tick);
    if (mChain.nodes.empty()) return E_UNEXPECTED;
    // The outermost enumerator passes the start on to the stages it reads.
    return mChain.nodes[0].calc->SetStartTick(tick);
  }
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override {
    for (ChainNode& node : mChain.nodes) node.calc->ResetCache();
    mHeld.clear();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetParamKind(int32_t index, int32_t which, uint32_t* kind) noexcept override {
    if (mChain.nodes.empty()) return E_UNEXPECTED;
    return mChain.nodes[0].calc->GetParamKind(index, which, kind);
  }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetValueUnits(double* value, IUnknown** units) noexcept override {
    if (mChain.nodes.empty()) return E_UNEXPECTED;
    return mChain.nodes[0].calc->GetValueUnits(value, units);
  }
  HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t* capabilities) noexcept override {
    if (mChain.nodes.empty()) return E_UNEXPECTED;
    return mChain.nodes[0].calc->GetCapabilities(capabilities);
  }
  HRESULT STDMETHODCALLTYPE GetResultKind(uint32_t* kind) noexcept override {
    if (mChain.nodes.empty()) return E_UNEXPECTED;
    return mChain.nodes[0].calc->GetResultKind(kind);
  }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override {
    if (mSignal.Loaded()) return mSignal.GetTimeBase(timeBase);
    if (mChain.nodes.empty()) return E_UNEXPECTED;
    return mChain.nodes[0].calc->GetTimeBase(timeBase);
  }

  // IEnumEventEx
  HRESULT STDMETHODCALLTYPE Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                 int32_t* nextUnexaminedTick) noexcept override {
    if (!mEvents) return E_UNEXPECTED;
    return mEvents->Next(bufferBytes, endTick, buffer, returned, nextUnexaminedTick);
  }
  HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept override {
    if (!mEvents) return E_UNEXPECTED;
    return mEvents->Find(backward, tick, start, end);
  }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override {
    if (!mEvents) return E_UNEXPECTED;
    return mEvents->GetPosition(tick);
  }
  HRESULT STDMETHODCALLTYPE Reserved6(void** out) noexcept override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx** clone) noexcept override { return CloneAsEventEnum(*this, clone); }
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override {
    if (!mEvents) return E_UNEXPECTED;
    return mEvents->GetRecordSize(bytes);
  }
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) noexcept override {
    if (!mEvents) return E_UNEXPECTED;
    return mEvents->GetEventType(typeId);
  }
  HRESULT STDMETHODCALLTYPE Reserved10(void** out) noexcept override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_ICalcEnum) return static_cast<ICalcEnum*>(this);
    if (iid == IID_IEnumEventEx) return static_cast<IEnumEventEx*>(this);
    if (iid == IID_ISampleSource && mSignal.Loaded()) return static_cast<ISampleSource*>(&mSignal);
    return nullptr;
  }
  void Load(const std::wstring& text);
  void ConnectSources(int32_t record, int32_t count, IUnknown** sources, IUnknown** units,
                      double tickPeriod, uint32_t flags);

  HostPtr<ICalcEnumClass2> mClass;
  uint32_t mTypeId;
  ClassListSource mClasses;
  HostPtr<IUnknown> mDataContext;
  std::wstring mText;
  FormulaChain mChain;
  HostPtr<IEnumEventEx> mEvents;             // the outermost enumerator's events
  std::vector<HostPtr<IUnknown>> mHeld;      // the sources of the current run
  SignalChannel mSignal{*static_cast<ICalcEnum*>(this)};  // loaded when the text is an arithmetic signal
};

void FormulaEnumerator::Load(const std::wstring& text) {
  // A text that reads as an arithmetic signal ("sin(5*t)") is served as a channel of samples
  // at the period SetSources gives; anything else must be an enumerator chain.
  if (IsSignalFormula(text)) {
    mSignal.Load(text);
    mText = text;
    mChain = FormulaChain();
    mEvents.Reset();
    mHeld.clear();
    return;
  }
  const FormulaNode root = ParseEnumeratorFormula(text);
  const EnumClassCatalog catalog(mClasses ? mClasses() : std::vector<HostPtr<IUnknown>>());
  FormulaChain chain = BuildFormulaChain(root, catalog, mDataContext.Get());
  HostPtr<IEnumEventEx> events = chain.nodes[0].calc.As<IEnumEventEx>(IID_IEnumEventEx);
  if (!events) throw FormulaError(1, "the outermost calculation yields no events");
  mSignal.Load(std::wstring());
  mText = text;
  mChain = std::move(chain);
  mEvents = std::move(events);
  mHeld.clear();
}

HRESULT STDMETHODCALLTYPE FormulaEnumerator::LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept {
  if (kind) *kind = kCalcParamKindValue;
  try {
    Load(StringText(text));
    return S_OK;
  } catch (const FormulaError& e) {
    SetErrorText(L"Formula error at " + WideFromUtf8(e.what()));
    return E_INVALIDARG;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT STDMETHODCALLTYPE FormulaEnumerator::Clone(IUnknown*, ICalcEnum** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  HostPtr<ICalcEnum> copy;
  HRESULT hr = CreateFormulaEnumerator(mClass.Get(), mTypeId, mClasses, mDataContext.Get(), copy.Out());
  if (FAILED(hr)) return hr;
  if (!mText.empty()) {
    hr = copy->LoadSettings(MakeHostString(mText).Get(), nullptr);
    if (FAILED(hr)) return hr;
  }
  *clone = copy.Detach();
  return S_OK;
}

// One source per distinct channel reference; a channel that several calls read gives each occurrence a
// cursor of its own, one read once goes to its reader as it is.
void FormulaEnumerator::ConnectSources(int32_t record, int32_t count, IUnknown** sources,
                                       IUnknown** units, double tickPeriod, uint32_t flags) {
  struct RefSource {
    std::unique_ptr<SampleTee> tee;  // for sample sources read more than once
    HostPtr<IUnknown> events;        // for event sources and once-read samples, handed to the first occurrence
  };
  std::vector<int32_t> occurrences(static_cast<size_t>(count), 0);
  for (const ChainNode& node : mChain.nodes) {
    for (const ChainSource& s : node.sources) {
      if (s.isChannel && s.index < occurrences.size()) ++occurrences[s.index];
    }
  }
  std::vector<RefSource> refSources(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    HostPtr<IUnknown> given(sources[i]);
    HostPtr<ISampleSource> samples = given.As<ISampleSource>(IID_ISampleSource);
    if (samples && occurrences[static_cast<size_t>(i)] > 1) {
      refSources[i].tee = std::make_unique<SampleTee>(samples.Get());
    } else {
      refSources[i].events = given;
    }
  }
  HostPtr<IHostDataDocument> document;
  if (mDataContext) document = mDataContext.As<IHostDataDocument>(IID_IHostDataDocument);
  std::vector<HostPtr<IUnknown>> held;
  for (ChainNode& node : mChain.nodes) {
    // The sources of this node and, in the same order, their units: a channel's as the caller
    // gave them, none for a nested calculation.
    std::vector<IUnknown*> nodeSources;
    std::vector<IUnknown*> nodeUnits;
    for (const ChainSource& s : node.sources) {
      HostPtr<IUnknown> source;
      nodeUnits.push_back(s.isChannel && units ? units[s.index] : nullptr);
      if (!s.isChannel) {
        source = mChain.nodes[s.index].calc.As<IUnknown>(IID_IUnknown);
      } else if (refSources[s.index].tee) {
        source = refSources[s.index].tee->NewCursor().As<IUnknown>(IID_IUnknown);
      } else if (refSources[s.index].events) {
        source = std::move(refSources[s.index].events);
      } else {
        // A further reader of a calculated channel's events: a new enumerator from the document.
        const ChannelRef& ref = mChain.refs[s.index];
        const uint32_t request = kChannelRequestCalculated | kChannelRequestSource |
                                 (flags & kChannelRequestGrowing);
        if (!document ||
            document->GetChannelSource(ref.channel, request, record, 0, kEnumRecordEnd, source.Out()) != S_OK)
          throw FormulaError(1, "channel " + std::to_string(ref.channel + 1) + " has no second source");
      }
      nodeSources.push_back(source.Get());
      held.push_back(std::move(source));
    }
    const HRESULT hr = node.calc->SetSources(record, static_cast<int32_t>(nodeSources.size()),
                                             nodeSources.empty() ? nullptr : nodeSources.data(),
                                             units && !nodeUnits.empty() ? nodeUnits.data() : nullptr,
                                             tickPeriod, flags);
    if (FAILED(hr)) throw SourcesRefused{hr, DescribeRefusal(mChain, node)};
  }
  mHeld = std::move(held);
}

HRESULT STDMETHODCALLTYPE FormulaEnumerator::SetSources(int32_t record, int32_t count, IUnknown** sources,
                                                        IUnknown** units, double tickPeriod,
                                                        uint32_t flags) noexcept {
  // A signal reads no source: the period alone says where its samples lie.
  if (mSignal.Loaded()) return count == 0 ? mSignal.SetSamplePeriod(tickPeriod) : E_INVALIDARG;
  if (mChain.nodes.empty()) return E_UNEXPECTED;
  if (count != static_cast<int32_t>(mChain.refs.size())) return E_INVALIDARG;
  if (count > 0 && !sources) return E_POINTER;
  for (int32_t i = 0; i < count; ++i)
    if (!sources[i]) return E_POINTER;
  try {
    ConnectSources(record, count, sources, units, tickPeriod, flags);
    return S_OK;
  } catch (const SourcesRefused& refused) {
    SetErrorText(refused.message);
    return refused.hr;
  } catch (const FormulaError& e) {
    SetErrorText(WideFromUtf8(e.what()));
    return E_FAIL;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace

HRESULT CreateFormulaEnumerator(ICalcEnumClass2* formulaClass, uint32_t typeId, ClassListSource classes,
                                IUnknown* dataContext, ICalcEnum** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  try {
    *out = new FormulaEnumerator(formulaClass, typeId, std::move(classes), dataContext);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace host
