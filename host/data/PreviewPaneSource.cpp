// The preview's recorded source and its online sinks.
#include "host/data/PreviewPaneSource.h"

#include "hostapi/DataFile.h"
#include "hostapi/DataObjects.h"

#include <new>

namespace host {

HostPtr<PreviewPaneSource> PreviewPaneSource::Create(HostPtr<DataDocument> document) {
  return HostPtr<PreviewPaneSource>(new PreviewPaneSource(std::move(document)), false);
}

PreviewPaneSource::PreviewPaneSource(HostPtr<DataDocument> document)
    : mRecorded(new PaneDataSource(std::move(document)), false) {}

HRESULT STDMETHODCALLTYPE PreviewPaneSource::QueryInterface(REFIID iid, void** out) noexcept {
  if (iid == IID_IHostDataFile || iid == IID_IHostDataObjects) return mRecorded->Document().QueryInterface(iid, out);
  return HostObject::QueryInterface(iid, out);
}

void* PreviewPaneSource::FindInterface(REFIID iid) {
  if (iid == IID_IUnknown) return static_cast<IPaneDataSource*>(this);
  if (iid == IID_IHostColour) return static_cast<IHostColour*>(this);
  if (iid == IID_IOnlineSinkFactory) return static_cast<IOnlineSinkFactory*>(this);
  return nullptr;
}

HRESULT PreviewPaneSource::CreateHorizontalScale(IRecordDataPixMap** scale) noexcept {
  return mRecorded->CreateHorizontalScale(scale);
}

HRESULT PreviewPaneSource::RegisterPane(IOnlineDataSink* pane) noexcept { return mRecorded->RegisterPane(pane); }

HRESULT PreviewPaneSource::TickToAbsolute(int32_t record, int32_t tick, int64_t* absolute) noexcept {
  return mRecorded->TickToAbsolute(record, tick, absolute);
}

HRESULT PreviewPaneSource::GetSampledRecord(int32_t* record) noexcept { return mRecorded->GetSampledRecord(record); }

HRESULT PreviewPaneSource::GetHostDataFile(IUnknown** file) noexcept { return mRecorded->GetHostDataFile(file); }

HRESULT PreviewPaneSource::GetColour(int32_t a, int32_t b, COLORREF* colour) noexcept {
  return mRecorded->GetColour(a, b, colour);
}

HRESULT PreviewPaneSource::CreateOnlineSink(IPaneDataSource** sink) noexcept {
  if (!sink) return E_POINTER;
  *sink = nullptr;
  try {
    Recording channels;
    channels.channels = mRecorded->Document().Data().channels;
    HostPtr<DataDocument> live = DataDocument::Create(std::move(channels));
    *sink = new PaneDataSource(std::move(live));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;  // a channel formula the new document cannot take
  }
  return S_OK;
}

}  // namespace host
