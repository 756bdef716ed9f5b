// The child objects the host's extensions keep with a data document, a part of the document object.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/CycleDetection.h"

namespace host {

class DataDocument;

// Lives inside its document: QueryInterface and the count are the document's. The cycle extension's
// detection-settings service is made on first request and kept with the document.
class ChildObjectsPart final : public IHostChildObjects {
 public:
  explicit ChildObjectsPart(DataDocument& owner) noexcept : mOwner(owner) {}
  ChildObjectsPart(const ChildObjectsPart&) = delete;
  ChildObjectsPart& operator=(const ChildObjectsPart&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  HRESULT STDMETHODCALLTYPE GetChildObject(REFCLSID classId, int32_t number, REFIID iid,
                                           void** child) noexcept override;

 private:
  DataDocument& mOwner;
  HostPtr<IDetectionSettingsService> mDetectionService;
};

}  // namespace host
