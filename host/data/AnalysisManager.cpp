// The stand-in host's analysis manager.
#include "host/data/AnalysisManager.h"

#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

#include <objbase.h>

#include <new>

namespace host {

namespace {

constexpr int32_t kFirstClientId = 1;

uint32_t ClassIndex() noexcept {
  HostPtr<ITypeRegistry> types;
  uint16_t index = 0;
  if (FAILED(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                              reinterpret_cast<void**>(types.Out()))) ||
      !types || FAILED(types->RegisterGuid(&kAnalysisManagerClassGuid, &index)))
    return 0;
  return static_cast<uint32_t>(index) << 16;
}

}  // namespace

uint32_t AnalysisManagerTypeId() noexcept { return ClassIndex(); }

uint32_t AnalysisManagerEventId(uint16_t number) noexcept { return ClassIndex() | number; }

HostPtr<AnalysisManagerObject> AnalysisManagerObject::Create() {
  HostPtr<AnalysisManagerObject> made;
  made.Attach(new AnalysisManagerObject);
  return made;
}

void* AnalysisManagerObject::FindInterface(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IAnalysisManager) return static_cast<IAnalysisManager*>(this);
  return nullptr;
}

AnalysisClient* AnalysisManagerObject::Find(int32_t clientId) noexcept {
  for (AnalysisClient& client : mClients)
    if (client.id == clientId) return &client;
  return nullptr;
}

HRESULT STDMETHODCALLTYPE AnalysisManagerObject::RegisterClient(const wchar_t* identifier, const wchar_t* displayName,
                                                                int32_t* clientId) noexcept {
  if (!clientId) return E_POINTER;
  *clientId = -1;
  if (!identifier || !*identifier) return E_INVALIDARG;
  for (AnalysisClient& client : mClients)
    if (client.identifier == identifier) {
      *clientId = client.id;
      return S_OK;
    }
  try {
    AnalysisClient client;
    client.id = kFirstClientId + static_cast<int32_t>(mClients.size());
    client.identifier = identifier;
    client.displayName = displayName ? displayName : L"";
    mClients.push_back(std::move(client));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  *clientId = mClients.back().id;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE AnalysisManagerObject::AnalysisChanged(int32_t clientId) noexcept {
  AnalysisClient* const client = Find(clientId);
  if (!client) return E_INVALIDARG;
  ++client->changes;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE AnalysisManagerObject::OfferPersistObject(int32_t clientId, int32_t, IUnknown* object,
                                                                    VARIANT_BOOL loaded) noexcept {
  AnalysisClient* const client = Find(clientId);
  if (!client) return E_INVALIDARG;
  if (!object || client->persistObject) return S_FALSE;
  client->persistObject = HostPtr<IUnknown>(object);
  client->loaded = loaded != VARIANT_FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE AnalysisManagerObject::ReportAnalyzedRange(int32_t clientId, uint32_t argument,
                                                                     const ManagerPosition* start,
                                                                     const ManagerPosition* end) noexcept {
  if (!start || !end) return E_POINTER;
  AnalysisClient* const client = Find(clientId);
  if (!client) return E_INVALIDARG;
  client->hasRange = true;
  client->rangeArgument = argument;
  client->start = *start;
  client->end = *end;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE AnalysisManagerObject::ConfirmRequest(int32_t clientId, VARIANT_BOOL* confirmed) noexcept {
  if (!confirmed) return E_POINTER;
  *confirmed = VARIANT_FALSE;
  AnalysisClient* const client = Find(clientId);
  if (!client) return E_INVALIDARG;
  *confirmed = client->confirm ? VARIANT_TRUE : VARIANT_FALSE;
  client->confirm = false;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE AnalysisManagerObject::IsFollowingClient(int32_t clientId, VARIANT_BOOL* follows) noexcept {
  if (!follows) return E_POINTER;
  *follows = Find(clientId) ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

void AnalysisManagerObject::SetConfirm(bool confirm) noexcept {
  for (AnalysisClient& client : mClients) client.confirm = confirm;
}

void AnalysisManagerObject::ForgetStreams() noexcept {
  for (AnalysisClient& client : mClients) client.persistObject.Reset();
}

}  // namespace host
