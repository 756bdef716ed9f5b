// host::PreviewPaneSource: the recorded data source a preview pane shows, which also makes the
// online sinks that record what the preview samples.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "host/data/PaneDataSource.h"
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
  // The drawing settings are the recorded source's.
  HRESULT STDMETHODCALLTYPE GetGridStyle(int32_t reserved, COLORREF* colour, int16_t* timeGrid,
                                         int32_t* style) noexcept override {
    return mRecorded->GetGridStyle(reserved, colour, timeGrid, style);
  }
  HRESULT STDMETHODCALLTYPE GetTraceStyle(int32_t channel, uint32_t* style) noexcept override {
    return mRecorded->GetTraceStyle(channel, style);
  }
  HRESULT STDMETHODCALLTYPE GetTraceColour(uint32_t request, int32_t channel, uint32_t selector,
                                           COLORREF* colour) noexcept override {
    return mRecorded->GetTraceColour(request, channel, selector, colour);
  }
  HRESULT STDMETHODCALLTYPE GetPenWidth(int32_t channel, int32_t* width) noexcept override {
    return mRecorded->GetPenWidth(channel, width);
  }
  // A pane source over a new document of the recording's channels without records.
  HRESULT STDMETHODCALLTYPE CreateOnlineSink(IPaneDataSource** sink) noexcept override;

  // The recording's data file and its marker objects are reached from here as well (they are
  // the document's interfaces).
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;

  PaneDataSource& Recorded() const noexcept { return *mRecorded.Get(); }

 private:
  explicit PreviewPaneSource(HostPtr<DataDocument> document);
  ~PreviewPaneSource() override = default;
  void* FindInterface(REFIID iid) override;

  HostPtr<PaneDataSource> mRecorded;
};

}  // namespace host
