// Replaying a recording as live sampling.
#include "host/data/SamplingControl.h"

#include "host/common/HostString.h"
#include "host/data/Sampler.h"
#include "host/data/PaneDataSource.h"

#include <algorithm>
#include <map>
#include <new>

namespace host {

struct SamplingControl::Hooked {
  HostPtr<IUnknown> observer;
  DataDocument* document = nullptr;  // kept alive by observer
  std::unique_ptr<Sampler> sampler;  // while sampling
};

namespace {

// Timers of the user-interface thread have no argument: the id finds the control.
std::map<UINT_PTR, SamplingControl*>& Timers() {
  static std::map<UINT_PTR, SamplingControl*> timers;
  return timers;
}

// A data document, or the document a pane's data source shows.
DataDocument* DocumentOf(IUnknown* observer) {
  if (auto* document = dynamic_cast<DataDocument*>(observer)) return document;
  if (auto* source = dynamic_cast<PaneDataSource*>(observer)) return &source->Document();
  return nullptr;
}

constexpr wchar_t kNotConnected[] = L"No sampling device is connected.";

}  // namespace

HostPtr<SamplingControl> SamplingControl::Create(Recording hardware) {
  return HostPtr<SamplingControl>(new SamplingControl(std::move(hardware)), false);
}

SamplingControl::SamplingControl(Recording hardware)
    : mHardware(std::move(hardware)), mResolve(&DocumentOf) {}

SamplingControl::~SamplingControl() {
  DeliverEvery(0, 0);
  for (auto& hooked : mHooks) StopDocument(*hooked);
}

void* SamplingControl::FindInterface(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IHostSamplingControl) return static_cast<IHostSamplingControl*>(this);
  return nullptr;
}

HRESULT SamplingControl::IsSampling(VARIANT_BOOL* sampling) noexcept {
  if (!sampling) return E_POINTER;
  *sampling = mSampling ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT SamplingControl::Prepare(int32_t, uint32_t, int32_t) noexcept {
  ++mPrepares;
  return S_OK;
}

HRESULT SamplingControl::GetStartText(QOR::IQORString** text, VARIANT_BOOL* mayStart) noexcept {
  if (!text || !mayStart) return E_POINTER;
  *text = nullptr;
  *mayStart = VARIANT_TRUE;
  if (mConnected) return S_OK;
  try {
    *text = MakeHostString(kNotConnected).Detach();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT SamplingControl::Start(double, QOR::IQORString*) noexcept {
  if (mSampling) return S_FALSE;
  if (!mConnected) return HRESULT_FROM_WIN32(ERROR_NOT_READY);
  if (mUserDeclines) return kSamplingDeclined;
  if (mHardware.records.empty() || mHardware.records[0].length < 1) return E_UNEXPECTED;
  mSampling = true;
  mPosition = 0;
  HRESULT result = S_OK;
  for (auto& hooked : mHooks) {
    const HRESULT hr = StartDocument(*hooked);
    if (FAILED(hr) && SUCCEEDED(result)) result = hr;
  }
  return result;
}

HRESULT SamplingControl::StartDocument(Hooked& hooked) {
  try {
    hooked.sampler = std::make_unique<Sampler>(hooked.document);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  HRESULT hr = hooked.sampler->Start();
  if (SUCCEEDED(hr)) hr = hooked.sampler->StartRecord(mHardware.records[0].tickPeriod);
  if (FAILED(hr)) hooked.sampler.reset();
  return hr;
}

void SamplingControl::StopDocument(Hooked& hooked) noexcept {
  if (!hooked.sampler) return;
  hooked.sampler->Stop();  // ends the open record first
  hooked.sampler.reset();
}

HRESULT SamplingControl::Stop(int32_t) noexcept {
  if (!mSampling) return S_FALSE;
  mSampling = false;
  DeliverEvery(0, 0);
  for (auto& hooked : mHooks) StopDocument(*hooked);
  return S_OK;
}

HRESULT SamplingControl::Hook(IUnknown* observer) noexcept {
  if (!observer) return E_POINTER;
  HostPtr<IUnknown> identity;
  if (FAILED(observer->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.Out())))) return E_NOINTERFACE;
  for (const auto& hooked : mHooks)
    if (hooked->observer.Get() == identity.Get()) return S_FALSE;
  DataDocument* const document = mResolve(identity.Get());
  if (!document) return E_NOINTERFACE;
  try {
    auto hooked = std::make_unique<Hooked>();
    hooked->observer = identity;
    hooked->document = document;
    mHooks.push_back(std::move(hooked));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return mSampling ? StartDocument(*mHooks.back()) : S_OK;
}

HRESULT SamplingControl::Unhook(IUnknown* observer) noexcept {
  if (!observer) return E_POINTER;
  HostPtr<IUnknown> identity;
  if (FAILED(observer->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.Out())))) return S_FALSE;
  auto const it = std::find_if(mHooks.begin(), mHooks.end(),
                               [&](const auto& hooked) { return hooked->observer.Get() == identity.Get(); });
  if (it == mHooks.end()) return S_FALSE;
  std::unique_ptr<Hooked> gone = std::move(*it);
  mHooks.erase(it);
  StopDocument(*gone);
  return S_OK;
}

HRESULT SamplingControl::Deliver(int32_t ticks) {
  if (!mSampling) return E_UNEXPECTED;
  if (ticks < 1) return E_INVALIDARG;
  const RecordData& record = mHardware.records[0];
  std::vector<std::vector<float>> block;
  for (size_t c = 0; c < mHardware.channels.size(); ++c) {
    if (!mHardware.channels[c].formula.empty()) continue;  // computed by the documents
    std::vector<float> samples(static_cast<size_t>(ticks));
    const float* from = record.samples[c]->Samples();
    for (int32_t i = 0; i < ticks; ++i) samples[static_cast<size_t>(i)] = from[(mPosition + i) % record.length];
    block.push_back(std::move(samples));
  }
  mPosition = static_cast<int32_t>((static_cast<int64_t>(mPosition) + ticks) % record.length);
  HRESULT result = S_OK;
  for (auto& hooked : mHooks) {
    if (!hooked->sampler) continue;
    const HRESULT hr = hooked->sampler->Append(block);
    if (FAILED(hr) && SUCCEEDED(result)) result = hr;
  }
  return result;
}

void SamplingControl::DeliverEvery(uint32_t milliseconds, int32_t blockTicks) {
  if (mTimer) {
    KillTimer(nullptr, mTimer);
    Timers().erase(mTimer);
    mTimer = 0;
  }
  if (milliseconds == 0 || blockTicks < 1) return;
  mTimerBlock = blockTicks;
  mTimer = SetTimer(nullptr, 0, milliseconds, &SamplingControl::OnTimer);
  if (mTimer) Timers()[mTimer] = this;
}

void CALLBACK SamplingControl::OnTimer(HWND, UINT, UINT_PTR id, DWORD) noexcept {
  auto const it = Timers().find(id);
  if (it == Timers().end()) return;
  SamplingControl* const control = it->second;
  try {
    if (control->mSampling) control->Deliver(control->mTimerBlock);
  } catch (...) {
    // Out of memory for one block: the next tick tries again.
  }
}

}  // namespace host
