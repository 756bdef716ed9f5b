// Creating a module's document through the document class registered under a name.
#include "host/view/CustomDocuments.h"

#include "hostapi/ClassRegistry.h"

#include <objbase.h>
#include <oleauto.h>

namespace host {

namespace {

HostPtr<ICustomDocClass> DocumentClassNamed(const std::wstring& className) {
  HostPtr<IClassRegistry> registry;
  CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                   reinterpret_cast<void**>(registry.Out()));
  uint32_t count = 0;
  if (!registry || FAILED(registry->GetClassCount(&count))) return {};
  for (uint32_t i = 0; i < count; ++i) {
    HostPtr<ILumoClassObject> object;
    if (FAILED(registry->GetClassAt(i, object.Out()))) continue;
    auto documentClass = object.As<ICustomDocClass>(IID_ICustomDocClass);
    if (!documentClass) continue;
    BSTR name = nullptr;
    documentClass->GetNameBstr(&name);
    const bool same = name && className == name;
    SysFreeString(name);
    if (same) return documentClass;
  }
  return {};
}

}  // namespace

HRESULT OpenCustomDocument(HostDocument& hostDocument, const std::wstring& className,
                           uint32_t flags, HostPtr<ICustomDocument2>& document) {
  document.Reset();
  HostPtr<ICustomDocClass> documentClass = DocumentClassNamed(className);
  if (!documentClass) return CLASS_E_CLASSNOTAVAILABLE;
  HostPtr<ICustomDocument2> made;
  const HRESULT hr = documentClass->CreateDocument(
      0, static_cast<IHostDocument*>(&hostDocument), flags, made.Out(), 0);
  if (FAILED(hr) || !made) return FAILED(hr) ? hr : E_FAIL;
  uint32_t typeId = 0;
  documentClass->GetTypeId(&typeId);
  hostDocument.AddChildDocument(typeId, made.Get());
  made->OnDataAttached();  // the document's own business; its answer changes nothing here
  document = made;
  return S_OK;
}

}  // namespace host
