// The data file's Periodix service, found among the host data document's child objects.
#include "hostclient/HostChildObject.h"

#include "hostapi/ChildDocumentList.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostclient/ComPtr.h"
#include "hostclient/TypeIds.h"

namespace QOR {

IPXPresetService* GetHostChildObject(IUnknown* hostDataDocument) noexcept {
  if (hostDataDocument == nullptr) return nullptr;
  ComPtr<IHostChildDocumentList> children;
  if (FAILED(hostDataDocument->QueryInterface(IID_IHostChildDocumentList, children.OutVoid())) ||
      !children) {
    return nullptr;
  }
  ComPtr<IUnknown> child;
  const uint32_t typeId = TypeIdClass<&PXChildClassGUID, 0>::Id();
  if (FAILED(children->GetChildObject(typeId, 0, child.Out())) || !child) return nullptr;
  ComPtr<IPXPresetService> service;
  if (FAILED(child->QueryInterface(IID_IPXPresetService, service.OutVoid()))) return nullptr;
  return service.Detach();
}

}  // namespace QOR
