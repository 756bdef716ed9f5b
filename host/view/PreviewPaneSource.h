// host::PreviewPaneSource: the recorded data source a preview pane shows, which also makes the
// online sinks that record what the preview samples.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "host/view/PaneDataSource.h"
#include "hostapi/PreviewSampling.h"

namespace host {

class PreviewPaneSource final : public HostObject<IPaneDataSource, IHostColour, IOnlineSinkFactory> {
 public:
  // One reference for the caller.
  static HostPtr<PreviewPaneSource> Create(HostPtr<DataDocument> document);

  HRESULT STDMETHODCALLTYPE CreateHorizontalScale(IRecordDataPixMap** scale) noexcept override;
  HRESULT STDMETHODCALLTYPE RegisterPane(IOnlineDataSink* pane) noexcept override;
  HRESULT STDMETHODCALLTYPE TickToAbsolute(int32_t record, int32_t tick, int64_t* absolute) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSampledRecord(int32_t* record) noexcept override;
  HRESULT STDMETHODCALLTYPE GetHostDataFile(IUnknown** file) noexcept override;
  HRESULT STDMETHODCALLTYPE GetColour(int32_t a, int32_t b, COLORREF* colour) noexcept override;
  // A pane source over a new document of the recording's channels without records.
  HRESULT STDMETHODCALLTYPE CreateOnlineSink(IPaneDataSource** sink) noexcept override;

  PaneDataSource& Recorded() const noexcept { return *mRecorded.Get(); }

 private:
  explicit PreviewPaneSource(HostPtr<DataDocument> document);
  ~PreviewPaneSource() override = default;
  void* FindInterface(REFIID iid) override;

  HostPtr<PaneDataSource> mRecorded;
};

}  // namespace host
