// host::PaneDataSource: the data source of a data pane over one data document.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "hostapi/PaneDataSource.h"

#include <vector>

namespace host {

// The registered pane hears the document's sampling as one of its online data sinks; the views'
// background is a colour the test or caller chooses (white at first).
class PaneDataSource final : public HostObject<IPaneDataSource, IHostColour> {
 public:
  explicit PaneDataSource(HostPtr<DataDocument> document) noexcept : mDocument(std::move(document)) {}

  HRESULT STDMETHODCALLTYPE CreateHorizontalScale(IRecordDataPixMap** scale) noexcept override;
  HRESULT STDMETHODCALLTYPE RegisterPane(IOnlineDataSink* pane) noexcept override;
  HRESULT STDMETHODCALLTYPE TickToAbsolute(int32_t record, int32_t tick, int64_t* absolute) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSampledRecord(int32_t* record) noexcept override;
  HRESULT STDMETHODCALLTYPE GetHostDataFile(IUnknown** file) noexcept override;
  HRESULT STDMETHODCALLTYPE GetColour(int32_t, int32_t, COLORREF* colour) noexcept override;
  HRESULT STDMETHODCALLTYPE GetGridStyle(int32_t, COLORREF* colour, int16_t* timeGrid, int32_t* style) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTraceStyle(int32_t channel, uint32_t* style) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTraceColour(uint32_t, int32_t channel, uint32_t, COLORREF* colour) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPenWidth(int32_t channel, int32_t* width) noexcept override;

  // What the views of the source show; a channel without its own colour answers S_FALSE.
  struct TraceSettings {
    uint32_t style = 0;
    COLORREF colour = CLR_INVALID;
    int32_t penWidth = 1;
  };
  void SetTrace(int32_t channel, const TraceSettings& settings);
  void SetBackground(COLORREF colour) noexcept { mBackground = colour; }
  IOnlineDataSink* RegisteredPane() const noexcept { return mPane.Get(); }
  DataDocument& Document() const noexcept { return *mDocument.Get(); }

 private:
  ~PaneDataSource() override;
  void* FindInterface(REFIID iid) override;

  HostPtr<DataDocument> mDocument;
  HostPtr<IOnlineDataSink> mPane;
  COLORREF mBackground = RGB(255, 255, 255);
  COLORREF mGridColour = RGB(128, 128, 128);
  bool mTimeGrid = true;
  int32_t mGridStyle = 0;
  std::vector<TraceSettings> mTraces;  // by channel
};

}  // namespace host
