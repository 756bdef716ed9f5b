// The enumerator getter: chain creation, channel sources, and the online-data sink.
#include "enumerators/framework/EnumGetterBase.h"

#include "base/String.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/DataFile.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/HostUnits.h"

#include <string>
#include <utility>

namespace ExtLib {
namespace {

constexpr uint32_t kChainOnlineFlags = 0xC0000000u;

QOR::ComPtr<IHostDataDocument> DocumentOf(IUnknown* object) {
  QOR::ComPtr<IHostDataDocument> document;
  if (object) object->QueryInterface(IID_IHostDataDocument, document.OutVoid());
  return document;
}

QOR::ComPtr<IHostDataDocument> DocumentOf(IHostDocument* hostDocument) {
  QOR::ComPtr<IHostDataDocument> document;
  if (hostDocument && FAILED(hostDocument->GetDataDocument(document.Out()))) document.Reset();
  return document;
}

}  // namespace

uint32_t ChannelRequestFlags(const ChannelRef& ref, bool complete) noexcept {
  uint32_t flags = ref.vMark   ? kChannelRequestCalculated
                   : ref.rMark ? kChannelRequestRecorded
                               : kChannelRequestDisplayed;
  if (!complete) flags |= kChannelRequestGrowing;
  return flags | kChannelRequestSource;
}

EnumGetterBase::EnumGetterBase(IUnknown* dataDocument, std::function<void()> stopCallback,
                               int32_t mode)
    : mDataDocument(DocumentOf(dataDocument)), mMode(mode) {
  mStopCallback = std::move(stopCallback);
  mHasStopCallback = static_cast<bool>(mStopCallback);
  if (mMode == kGetterRegistersAsSink) RegisterAsSink();
}

EnumGetterBase::EnumGetterBase(IUnknown* dataDocument, int32_t mode)
    : EnumGetterBase(dataDocument, std::function<void()>(), mode) {}

EnumGetterBase::EnumGetterBase(IHostDocument* hostDocument, int32_t mode)
    : EnumGetterBase(DocumentOf(hostDocument).Get(), mode) {}

EnumGetterBase::~EnumGetterBase() {
  if (mRegisteredAsSink && mDataDocument) {
    QOR::ComPtr<IOnlineDataService> service;
    if (SUCCEEDED(mDataDocument->QueryInterface(IID_IOnlineDataService, service.OutVoid())) &&
        service) {
      service->UnregisterSink(this);  // nothing to do when it was not registered after all
    }
  }
  Stop();
  mEnumerator.Reset();
  mChannelRefs.clear();
}

void EnumGetterBase::RegisterAsSink() {
  if (!mDataDocument) return;
  QOR::ComPtr<IOnlineDataService> service;
  if (FAILED(mDataDocument->QueryInterface(IID_IOnlineDataService, service.OutVoid())) ||
      !service) {
    return;
  }
  mRegisteredAsSink = SUCCEEDED(service->RegisterSink(this));
}

bool EnumGetterBase::CreateEnum(uint32_t enumId, const wchar_t* arithString,
                                bool noDataDocument) {
  QOR::String lowered(arithString);
  LowerCaseInPlace(lowered);
  mChannelRefs = ParseChannelRefs(std::wstring(lowered.GetText()));

  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  if (!registry) return false;
  QOR::ComPtr<ICalcEnumClass2> cls;
  if (FAILED(registry->GetClassObject(enumId, IID_ICalcEnumClass2, cls.OutVoid())) || !cls)
    return false;

  QOR::ComPtr<IUnknown> dataFile;
  if (mDataDocument && !noDataDocument)
    mDataDocument->QueryInterface(IID_IHostDataFile, dataFile.OutVoid());  // none: no context
  mEnumerator.Reset();
  if (FAILED(cls->CreateEnum(dataFile.Get(), mEnumerator.Out())) || !mEnumerator) return false;

  const QOR::String text(arithString);
  uint32_t kind = 0;
  return mEnumerator->LoadSettings(text.GetInterface(), &kind) == S_OK;
}

bool EnumGetterBase::SetSources(bool complete, TickPosition start, double tickPeriod) {
  if (tickPeriod == -1.0 && mDataDocument) {
    double period = tickPeriod;
    if (SUCCEEDED(mDataDocument->GetRecordTickPeriod(0, start.record, &period)))
      tickPeriod = period;
  }
  return DoSetSources(complete, start, tickPeriod);
}

double EnumGetterBase::ChainTickPeriod(bool complete, TickPosition start,
                                       double tickPeriod) const {
  if (mChannelRefs.empty()) return tickPeriod;
  double period = tickPeriod;
  HRESULT hr = E_FAIL;
  if (complete) {
    const ChannelRef& first = mChannelRefs.front();
    const uint32_t flags =
        ChannelRequestFlags(first, true) & ~(kChannelRequestGrowing | kChannelRequestSource);
    hr = mDataDocument->GetChannelTickPeriod(first.channel, flags, start.record, &period);
  } else {
    hr = mDataDocument->GetRecordTickPeriod(0, start.record, &period);
  }
  return SUCCEEDED(hr) ? period : tickPeriod;
}

bool EnumGetterBase::DoSetSources(bool complete, TickPosition start, double tickPeriod) {
  if (mStarted || !mEnumerator || !mDataDocument) return false;
  for (const ChannelRef& ref : mChannelRefs) {
    QOR::ComPtr<IUnknown> source;
    const HRESULT hr =
        mDataDocument->GetChannelSource(ref.channel, ChannelRequestFlags(ref, complete),
                                        start.record, start.tick, kEnumRecordEnd, source.Out());
    if (FAILED(hr) || !source) {
      mChannelSources.clear();
      return false;
    }
    mChannelSources.push_back(std::move(source));
  }
  const double period = ChainTickPeriod(complete, start, tickPeriod);
  const uint32_t flags =
      (mMode == kGetterRegistersAsSink || mMode == kGetterOnline) ? kChainOnlineFlags : 0;
  std::vector<IUnknown*> sources;
  sources.reserve(mChannelSources.size());
  for (const QOR::ComPtr<IUnknown>& source : mChannelSources) sources.push_back(source.Get());
  // One units object per source, each of the unit "V"; null where the host's units service gives none.
  std::vector<QOR::ComPtr<IUnknown>> unitObjects(sources.size());
  std::vector<IUnknown*> units(sources.size(), nullptr);
  for (size_t i = 0; i < sources.size(); ++i) {
    QOR::MakePrefixedUnit(kUnitPrefixNone, L"V", unitObjects[i].Out());
    units[i] = unitObjects[i].Get();
  }
  HRESULT hr = mEnumerator->SetSources(start.record, static_cast<int32_t>(sources.size()),
                                       sources.empty() ? nullptr : sources.data(),
                                       units.empty() ? nullptr : units.data(), period, flags);
  if (SUCCEEDED(hr)) hr = mEnumerator->SetStartTick(start.tick);
  if (FAILED(hr)) {
    mEnumerator->ResetCache();
    mChannelSources.clear();
    return false;
  }
  mStarted = true;
  return true;
}

QOR::ComPtr<IEnumEventEx> EnumGetterBase::GetEventEnum() const {
  QOR::ComPtr<IEnumEventEx> events;
  if (mEnumerator) mEnumerator->QueryInterface(IID_IEnumEventEx, events.OutVoid());
  return events;
}

void EnumGetterBase::Stop() {
  if (!mStarted) return;
  if (mEnumerator) mEnumerator->ResetCache();
  mChannelSources.clear();
  mStarted = false;
}

HRESULT STDMETHODCALLTYPE EnumGetterBase::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IOnlineDataSink))
    return E_NOINTERFACE;
  *out = static_cast<IOnlineDataSink*>(this);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE EnumGetterBase::GetSinkInfo(uint32_t* options,
                                                      uint16_t* channelMask) noexcept {
  if (!options || !channelMask) return E_POINTER;
  *options = 0;
  *channelMask = 0xFFFF;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE EnumGetterBase::OnRecordEnd(int32_t, int32_t) noexcept {
  return ComTry([&] {
    if (mHasStopCallback) mStopCallback();
    Stop();
  });
}

HRESULT STDMETHODCALLTYPE EnumGetterBase::GetPriority(int32_t* priority) noexcept {
  if (!priority) return E_POINTER;
  *priority = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE EnumGetterBase::GetUpdatePercent(int32_t* percent) noexcept {
  if (!percent) return E_POINTER;
  *percent = 100;
  return S_OK;
}

void* STDMETHODCALLTYPE EnumGetterBase::DeletingDestructor(unsigned int flags) noexcept {
  // The creator owns the getter; the host never calls this slot.
  if (flags & 1) {
    delete this;
    return nullptr;
  }
  return this;
}

}  // namespace ExtLib
