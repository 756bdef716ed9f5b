// The data document as the context of a module's channel calculation: its data object, output
// sources, and the engines applied to its channels.
#include "host/data/DataDocument.h"

#include "host/chancalc/CalcOutputSource.h"
#include "host/common/HostString.h"
#include "hostapi/ChannelCalc.h"
#include "hostapi/DocumentDisplay.h"

#include <new>

namespace host {

HRESULT STDMETHODCALLTYPE DataDocument::QueryInterface(REFIID iid, void** out) noexcept {
  if (out && iid == IID_IHostDocument && mHostDocument) {
    *out = mHostDocument;
    mHostDocument->AddRef();
    return S_OK;
  }
  // The data document displays its times as its host document's display settings say.
  if (out && iid == IID_IHostDocumentDisplay && mHostDocument) return mHostDocument->QueryInterface(iid, out);
  return HostObject::QueryInterface(iid, out);
}

// The file keeps one selection, made by the user; a calculation's selectors change nothing.
HRESULT STDMETHODCALLTYPE DataDocument::Select(int32_t, int32_t, int32_t) noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE DataDocument::GetDataObject(IUnknown** dataObject) noexcept {
  if (!dataObject) return E_POINTER;
  *dataObject = static_cast<IHostDataFile*>(this);
  AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataDocument::CreateOutput(const void* format, QOR::IQORString* units, uint32_t,
                                                     uint32_t, IUnknown** outputSource) noexcept {
  if (!outputSource) return E_POINTER;
  *outputSource = nullptr;
  if (!format) return E_INVALIDARG;
  try {
    *outputSource = CreateCalcOutputSource(*static_cast<const ChannelCalcFormat*>(format), StringText(units)).Detach();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDMETHODCALLTYPE DataDocument::Apply(int32_t channel, uint32_t, uint32_t, IUnknown* engine) noexcept {
  if (channel < 0) return E_INVALIDARG;
  try {
    if (!engine) {
      mCalculations.erase(channel);
      return S_OK;
    }
    HostPtr<IHostChannelCalcEngine2> samples;
    if (FAILED(engine->QueryInterface(IID_IHostChannelCalcEngine2, reinterpret_cast<void**>(samples.Out()))))
      return E_INVALIDARG;
    mCalculations[channel] = samples.As<IUnknown>(IID_IUnknown);
    ++mApplyCounts[channel];
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDMETHODCALLTYPE DataDocument::GetChannelObject(int32_t channel, uint32_t, IUnknown** channelObject) noexcept {
  if (!channelObject) return E_POINTER;
  *channelObject = nullptr;
  const auto found = mCalculations.find(channel);
  if (found == mCalculations.end()) return S_FALSE;
  // The engine speaks for the calculation that aggregates it.
  return found->second->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(channelObject));
}

int32_t DataDocument::ApplyCount(int32_t channel) const {
  const auto found = mApplyCounts.find(channel);
  return found == mApplyCounts.end() ? 0 : found->second;
}

HRESULT DataDocument::ReadCalculatedChannel(int32_t channel, IUnknown* outputSource, int32_t record, int32_t count,
                                            int16_t* raw) noexcept {
  const auto found = mCalculations.find(channel);
  ChannelCalcFormat format{};
  if (found == mCalculations.end() || !OutputSourceFormat(outputSource, format)) return E_INVALIDARG;
  if (!ValidRecord(record) || count < 0 || !raw) return E_INVALIDARG;
  HostPtr<IHostChannelCalcEngine2> samples;
  if (FAILED(found->second->QueryInterface(IID_IHostChannelCalcEngine2, reinterpret_cast<void**>(samples.Out()))))
    return E_UNEXPECTED;
  return samples->ReadRaw(record, 0, count, &format, raw);
}

}  // namespace host
