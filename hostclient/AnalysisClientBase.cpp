// AnalysisManager::AnalysisClientBase: the host's analysis manager found from a host object.
#include "hostclient/AnalysisClientBase.h"

#include "hostclient/DocViewIds.h"

namespace AnalysisManager {

HRESULT AnalysisClientBase::GetManagerChild(IUnknown* hostObject, IUnknown** child) noexcept {
  if (!hostObject || !child) return E_POINTER;
  *child = nullptr;
  ComPtr<IHostObjectContainer> site;
  ComPtr<IHostChildDocumentList> container;
  if (FAILED(hostObject->QueryInterface(IID_IHostObjectContainer, site.OutVoid())) || !site ||
      FAILED(site->GetContainer(container.Out())) || !container)
    return E_FAIL;
  ComPtr<IUnknown> manager;
  if (FAILED(container->GetChildObject(DocIds::AnalysisManagerTypeId::Id(), 0, manager.Out())) || !manager)
    return E_FAIL;
  *child = manager.Detach();
  return S_OK;
}

bool AnalysisClientBase::FindManager(IUnknown* hostObject) noexcept {
  mManager.Reset();
  return SUCCEEDED(GetManagerChild(hostObject, mManager.Out())) && mManager;
}

}  // namespace AnalysisManager
