// Opening the analysis document of a run, and sending it named commands.
#include "host/app/AnalysisDocument.h"

#include "host/data/CustomDocuments.h"
#include "host/data/DocumentStreams.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/MessageFactory.h"
#include "hostapi/MessageService.h"

#include <objbase.h>

#include <vector>

namespace ondara_host {

namespace {

constexpr wchar_t kDocumentClass[] = L"Ondara Document";

template <class Interface>
host::HostPtr<Interface> FrameworkService(const IID& iid) {
  host::HostPtr<Interface> service;
  CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, iid, reinterpret_cast<void**>(service.Out()));
  return service;
}

}  // namespace

HRESULT OpenAnalysisDocument(host::HostDocument& hostDocument, const std::wstring& documents,
                             host::HostPtr<ICustomDocument2>& document, std::wstring* refusal) {
  if (documents.empty() || GetFileAttributesW(documents.c_str()) == INVALID_FILE_ATTRIBUTES)
    return host::OpenCustomDocument(hostDocument, kDocumentClass, 0, document);
  std::vector<host::HostPtr<ICustomDocument2>> opened;
  const HRESULT hr = host::OpenSavedDocuments(hostDocument, documents, opened, refusal);
  if (FAILED(hr)) return hr;
  if (opened.empty()) return host::OpenCustomDocument(hostDocument, kDocumentClass, 0, document);
  document = opened.front();
  return S_OK;
}

HRESULT SendNamedCommand(const wchar_t* name, IUnknown* target) {
  const host::HostPtr<IMessageFactory> factory = FrameworkService<IMessageFactory>(IID_IMessageFactory);
  const host::HostPtr<IMessageRouter> router = FrameworkService<IMessageRouter>(IID_IMessageRouter);
  if (!factory || !router) return E_FAIL;
  host::HostPtr<IMsgIdMessageClassObject> command;
  if (factory->FindByName(name, command.Out()) != S_OK) return E_INVALIDARG;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  host::HostPtr<IMessage> message;
  const HRESULT hr = command->CreateMessage(0, &none, message.Out());
  if (FAILED(hr)) return hr;
  return router->Deliver(message.Get(), target);
}

}  // namespace ondara_host
