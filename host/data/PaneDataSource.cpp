// host::PaneDataSource: horizontal scale objects, the pane as a sink, absolute ticks, colour.
#include "host/data/PaneDataSource.h"

#include "host/data/HorizontalScale.h"

#include <new>

namespace host {

PaneDataSource::~PaneDataSource() { RegisterPane(nullptr); }

void* PaneDataSource::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown)) return static_cast<IPaneDataSource*>(this);
  if (IsEqualIID(iid, IID_IHostColour)) return static_cast<IHostColour*>(this);
  return nullptr;
}

HRESULT STDMETHODCALLTYPE PaneDataSource::CreateHorizontalScale(IRecordDataPixMap** scale) noexcept {
  if (!scale) return E_POINTER;
  *scale = new (std::nothrow) HorizontalScale(mDocument);
  return *scale ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE PaneDataSource::RegisterPane(IOnlineDataSink* pane) noexcept {
  if (pane == mPane.Get()) return S_FALSE;
  if (mPane) mDocument->UnregisterSink(mPane.Get());
  mPane = HostPtr<IOnlineDataSink>(pane);
  if (!pane) return S_OK;
  const HRESULT registered = mDocument->RegisterSink(pane);
  if (FAILED(registered)) mPane.Reset();
  return registered;
}

HRESULT STDMETHODCALLTYPE PaneDataSource::TickToAbsolute(int32_t record, int32_t tick, int64_t* absolute) noexcept {
  if (!absolute) return E_POINTER;
  const auto& records = mDocument->Data().records;
  if (record < 0 || record >= static_cast<int32_t>(records.size()) || tick < 0) return E_INVALIDARG;
  int64_t before = 0;
  for (int32_t r = 0; r < record; ++r) before += records[static_cast<size_t>(r)].length;
  *absolute = before + tick;
  return S_OK;
}

// The record still open for writing is the one sampled.
HRESULT STDMETHODCALLTYPE PaneDataSource::GetSampledRecord(int32_t* record) noexcept {
  if (!record) return E_POINTER;
  *record = -1;
  const auto& records = mDocument->Data().records;
  for (size_t r = records.size(); r-- > 0;) {
    if (!records[r].complete) {
      *record = static_cast<int32_t>(r);
      return S_OK;
    }
  }
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE PaneDataSource::GetHostDataFile(IUnknown** file) noexcept {
  if (!file) return E_POINTER;
  *file = static_cast<IHostDataFile*>(mDocument.Get());
  (*file)->AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneDataSource::GetColour(int32_t, int32_t, COLORREF* colour) noexcept {
  if (!colour) return E_POINTER;
  *colour = mBackground;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneDataSource::GetGridStyle(int32_t, COLORREF* colour, int16_t* timeGrid,
                                                       int32_t* style) noexcept {
  if (!colour || !timeGrid || !style) return E_POINTER;
  *colour = mGridColour;
  *timeGrid = mTimeGrid ? 1 : 0;
  *style = mGridStyle;
  return S_OK;
}

void PaneDataSource::SetTrace(int32_t channel, const TraceSettings& settings) {
  if (channel < 0) return;
  if (mTraces.size() <= static_cast<size_t>(channel)) mTraces.resize(static_cast<size_t>(channel) + 1);
  mTraces[static_cast<size_t>(channel)] = settings;
}

HRESULT STDMETHODCALLTYPE PaneDataSource::GetTraceStyle(int32_t channel, uint32_t* style) noexcept {
  if (!style) return E_POINTER;
  *style = channel >= 0 && static_cast<size_t>(channel) < mTraces.size() ? mTraces[static_cast<size_t>(channel)].style : 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneDataSource::GetTraceColour(uint32_t, int32_t channel, uint32_t,
                                                         COLORREF* colour) noexcept {
  if (!colour) return E_POINTER;
  if (channel < 0 || static_cast<size_t>(channel) >= mTraces.size() ||
      mTraces[static_cast<size_t>(channel)].colour == CLR_INVALID)
    return S_FALSE;
  *colour = mTraces[static_cast<size_t>(channel)].colour;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneDataSource::GetPenWidth(int32_t channel, int32_t* width) noexcept {
  if (!width) return E_POINTER;
  *width = channel >= 0 && static_cast<size_t>(channel) < mTraces.size() ? mTraces[static_cast<size_t>(channel)].penWidth : 1;
  return S_OK;
}

}  // namespace host
