// Creating a module's document through the document class registered under a name.
#include "host/view/CustomDocuments.h"

#include "hostapi/ClassRegistry.h"

#include <objbase.h>
#include <ocidl.h>
#include <oleauto.h>

namespace host {

namespace {

// The first registered document class that matches.
template <class Match>
HostPtr<ICustomDocClass> FindDocumentClass(Match matches) {
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
    if (matches(*documentClass.Get())) return documentClass;
  }
  return {};
}

std::wstring ClassName(ICustomDocClass& documentClass) {
  BSTR name = nullptr;
  documentClass.GetNameBstr(&name);
  std::wstring text = name ? std::wstring(name, SysStringLen(name)) : std::wstring();
  SysFreeString(name);
  return text;
}

HRESULT LoadSaved(ICustomDocument2& document, IStream& saved, HostPtr<IPersistStreamInit>& object) {
  IUnknown* reserved = nullptr;
  HostPtr<IUnknown> answered;
  if (document.GetPersistObject(0, 2, &reserved, answered.Out()) != S_OK || !answered) return E_NOINTERFACE;
  object = answered.As<IPersistStreamInit>(IID_IPersistStreamInit);
  if (!object) return E_NOINTERFACE;
  return object->Load(&saved);
}

}  // namespace

HRESULT OpenCustomDocument(HostDocument& hostDocument, const std::wstring& className,
                           uint32_t flags, HostPtr<ICustomDocument2>& document, IStream* saved) {
  document.Reset();
  HostPtr<ICustomDocClass> documentClass =
      FindDocumentClass([&](ICustomDocClass& candidate) { return ClassName(candidate) == className; });
  if (!documentClass) return CLASS_E_CLASSNOTAVAILABLE;
  HostPtr<ICustomDocument2> made;
  const HRESULT hr = documentClass->CreateDocument(
      0, static_cast<IHostDocument*>(&hostDocument), flags, made.Out(), 0);
  if (FAILED(hr) || !made) return FAILED(hr) ? hr : E_FAIL;
  HostPtr<IPersistStreamInit> persist;
  if (saved) {
    const HRESULT loaded = LoadSaved(*made.Get(), *saved, persist);
    if (FAILED(loaded)) {
      made->Detach();
      return loaded;
    }
  }
  uint32_t typeId = 0;
  documentClass->GetTypeId(&typeId);
  hostDocument.AddChildDocument(typeId, made.Get());
  if (persist) hostDocument.NotePersistObject(persist.Get());
  made->OnDataAttached();  // the document's own business; its answer changes nothing here
  document = made;
  return S_OK;
}

std::wstring DocumentClassName(uint32_t typeId) {
  const HostPtr<ICustomDocClass> documentClass = FindDocumentClass([&](ICustomDocClass& candidate) {
    uint32_t id = 0;
    return SUCCEEDED(candidate.GetTypeId(&id)) && id == typeId;
  });
  return documentClass ? ClassName(*documentClass.Get()) : std::wstring();
}

}  // namespace host
