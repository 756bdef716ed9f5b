// host::PaneDataSource: the data source of a data pane over one data document.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "hostapi/PaneDataSource.h"

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

  void SetBackground(COLORREF colour) noexcept { mBackground = colour; }
  IOnlineDataSink* RegisteredPane() const noexcept { return mPane.Get(); }
  DataDocument& Document() const noexcept { return *mDocument.Get(); }

 private:
  ~PaneDataSource() override;
  void* FindInterface(REFIID iid) override;

  HostPtr<DataDocument> mDocument;
  HostPtr<IOnlineDataSink> mPane;
  COLORREF mBackground = RGB(255, 255, 255);
};

}  // namespace host
