// The part of the stand-in data document that hands previews their data source.
#pragma once

#include "hostapi/PreviewSampling.h"

namespace host {

class DataDocument;

// Lives inside its document: QueryInterface and the count are the document's.
class PreviewDataPart final : public IPreviewDataProvider {
 public:
  explicit PreviewDataPart(DataDocument& owner) noexcept : mOwner(owner) {}
  PreviewDataPart(const PreviewDataPart&) = delete;
  PreviewDataPart& operator=(const PreviewDataPart&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  HRESULT STDMETHODCALLTYPE GetPreviewData(uint32_t flags, IPaneDataSource** data) noexcept override;

 private:
  DataDocument& mOwner;
};

}  // namespace host
