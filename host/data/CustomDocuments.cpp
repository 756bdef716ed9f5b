// Creating a module's document through the document class registered under a name.
#include "host/data/CustomDocuments.h"

#include "host/framework/FrameworkRecords.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/HostMenu.h"
#include "hostapi/MessageHandler.h"

#include <objbase.h>
#include <ocidl.h>
#include <oleauto.h>

#include <algorithm>
#include <cwchar>
#include <sstream>

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

HRESULT LoadSaved(ICustomDocument2& document, IStream& saved, HostPtr<IPersistStreamInit>& object,
                  std::wstring* refusal) {
  IUnknown* reserved = nullptr;
  HostPtr<IUnknown> answered;
  if (document.GetPersistObject(0, 2, &reserved, answered.Out()) != S_OK || !answered) return E_NOINTERFACE;
  object = answered.As<IPersistStreamInit>(IID_IPersistStreamInit);
  if (!object) return E_NOINTERFACE;
  SetErrorInfo(0, nullptr);
  const HRESULT hr = object->Load(&saved);
  HostPtr<IErrorInfo> info;
  BSTR description = nullptr;
  if (FAILED(hr) && refusal && GetErrorInfo(0, info.Out()) == S_OK && info &&
      SUCCEEDED(info->GetDescription(&description)) && description)
    refusal->assign(description, SysStringLen(description));
  SysFreeString(description);
  return hr;
}

std::wstring WithoutMarks(std::wstring text) {
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  return text;
}

// The id of the first command line of a described menu tree whose quoted text is path.
bool FindCommandId(const std::wstring& tree, const std::wstring& path, uint32_t* id) {
  const std::wstring head = L"command \"" + WithoutMarks(path) + L"\" id 0x";
  std::wistringstream lines(tree);
  std::wstring line;
  while (std::getline(lines, line)) {
    const std::wstring plain = WithoutMarks(line);
    const size_t at = plain.find(head);
    if (at == std::wstring::npos) continue;
    *id = static_cast<uint32_t>(std::wcstoul(plain.c_str() + at + head.size(), nullptr, 16));
    return true;
  }
  return false;
}

}  // namespace

HRESULT RunMenuCommand(IUnknown* document, const std::wstring& className, const std::wstring& path) {
  if (!document) return E_POINTER;
  HostPtr<ICustomDocClass> documentClass =
      FindDocumentClass([&](ICustomDocClass& candidate) { return ClassName(candidate) == className; });
  if (!documentClass) return CLASS_E_CLASSNOTAVAILABLE;
  HostPtr<IClassRegistry> registry;
  CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                   reinterpret_cast<void**>(registry.Out()));
  HostPtr<IHostMenuRootService> roots;
  if (registry)
    registry->GetClassObject(kMenuRootServiceId, IID_IHostMenuRootService, reinterpret_cast<void**>(roots.Out()));
  HostPtr<IHostMenuList> bar;
  if (!roots || FAILED(roots->CreateMenuRoot(&GUID_NULL, nullptr, nullptr, bar.Out())) || !bar) return E_FAIL;
  HRESULT hr = documentClass->RequestMenus(bar.Get());
  if (FAILED(hr)) return hr;
  auto record = bar.As<IHostMenuRecord>(IID_IHostMenuRecord);
  BSTR tree = nullptr;
  if (!record || FAILED(record->Describe(&tree)) || !tree) return E_FAIL;
  const std::wstring described(tree, SysStringLen(tree));
  SysFreeString(tree);
  uint32_t id = 0;
  if (!FindCommandId(described, path, &id)) return E_INVALIDARG;
  HostPtr<ILumoCommandHandler> commands(nullptr);
  document->QueryInterface(IID_ILumoCommandHandler, reinterpret_cast<void**>(commands.Out()));
  return commands ? commands->Execute(id) : E_NOINTERFACE;
}

HRESULT OpenCustomDocument(HostDocument& hostDocument, const std::wstring& className,
                           uint32_t flags, HostPtr<ICustomDocument2>& document, IStream* saved,
                           std::wstring* refusal) {
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
    const HRESULT loaded = LoadSaved(*made.Get(), *saved, persist, refusal);
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
