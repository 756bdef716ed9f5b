// The objects the host's extensions keep with a data document, a part of the document object.
#pragma once

#include "host/common/HostPtr.h"
#include "host/common/ReservedSlots.h"
#include "hostapi/ChildDocumentList.h"
#include "hostapi/PXDetectionSettings.h"

namespace host {

class DataDocument;

// Lives inside its document: QueryInterface and the count are the document's. Its one child is the cycle
// extension's detection-settings service (child 0 of the extension's class), made on first request and kept
// with the document.
class ExtensionChildrenPart final : public IHostChildDocumentList {
 public:
  explicit ExtensionChildrenPart(DataDocument& owner) noexcept : mOwner(owner) {}
  ExtensionChildrenPart(const ExtensionChildrenPart&) = delete;
  ExtensionChildrenPart& operator=(const ExtensionChildrenPart&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  HOST_CHILD_LIST_RESERVED_SLOTS
  // A data document has no frame of its own.
  HRESULT STDMETHODCALLTYPE GetFrameInterface(IUnknown** frame) noexcept override;
  // E_FAIL and null for any type id but the extension's (when the framework's type registry gives it one).
  HRESULT STDMETHODCALLTYPE GetChildObject(uint32_t typeId, int32_t index, IUnknown** child) noexcept override;

  // A host installed without the cycle extension keeps no child (installed at first).
  void SetCycleExtensionInstalled(bool installed) noexcept { mInstalled = installed; }

 private:
  DataDocument& mOwner;
  HostPtr<IPXPresetService> mDetectionService;
  bool mInstalled = true;
};

}  // namespace host
