// LumoDocumentClassBase: the class's names and ids, its companion and its menu request.
#include "hostclient/LumoDocumentClassBase.h"

#include "hostclient/BstrSlot.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/FrameworkAccess.h"

LumoDocumentClassBase::LumoDocumentClassBase(const wchar_t* name, const GUID* classGuid,
                                             const GUID* category, uint32_t typeId,
                                             uint32_t classFlags, uint32_t serviceValue)
    : mName(name), mClassGuid(classGuid), mCategory(category), mTypeId(typeId),
      mClassFlags(classFlags) {
  IClassRegistry* const framework = ObjectFactoryAccessor::Get();
  if (!framework) return;
  ComPtr<IDocumentClassService> service;
  framework->GetClassObject(kDocumentClassServiceId, IID_IDocumentClassService,
                            service.OutVoid());
  if (!service) return;
  // The service may take and drop references on the class object meanwhile.
  InternalAddRef();
  service->CreateCompanion(mCompanion.Out(), static_cast<ICustomDocClass*>(this), serviceValue);
  if (mCompanion &&
      SUCCEEDED(mCompanion->QueryInterface(IID_IClassObjectLink,
                                           reinterpret_cast<void**>(&mCompanionLink))) &&
      mCompanionLink)
    mCompanionLink->Release();
  InternalReleaseStatic();
}

LumoDocumentClassBase::~LumoDocumentClassBase() {
  mMenuRoot.Reset();
  mCompanion.Reset();
}

HRESULT LumoDocumentClassBase::AskCompanion(void* object, REFIID iid, void** out,
                                            std::uintptr_t) noexcept {
  auto* const self = static_cast<LumoDocumentClassBase*>(object);
  if (!self->mCompanion) return E_NOINTERFACE;
  return self->mCompanion->QueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::GetTypeId(uint32_t* typeId) noexcept {
  if (!typeId) return E_POINTER;
  *typeId = mTypeId;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::GetCategory(const GUID** category) noexcept {
  if (!category) return E_POINTER;
  *category = mCategory;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::GetNameBstr(BSTR* name) noexcept {
  return GetClassNameBstr(name);
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::IsCategory(const GUID* category) noexcept {
  if (!category || !mCategory) return S_FALSE;
  return (category == mCategory || IsEqualGUID(*category, *mCategory)) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::GetClassNameBstr(BSTR* name) noexcept {
  return QOR::StoreBstr(name, mName.GetText());
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::GetClassFlags(uint32_t* flags) noexcept {
  if (!flags) return E_POINTER;
  *flags = mClassFlags;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::Reserved10() noexcept { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::RequestMenus(IUnknown* argument) noexcept {
  return ComTry([&] {
    ComPtr<ILumoCommandHandler> handler;
    QueryInterface(IID_ILumoCommandHandler, handler.OutVoid());
    AddMenus(handler.Get(), argument);
  });
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::Reserved12() noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::GetClassGuid(const GUID** guid) noexcept {
  if (!guid) return E_POINTER;
  *guid = mClassGuid;
  return S_OK;
}

ComPtr<ILumoCommandHandler> LumoDocumentClassBase::CompanionCommands() const noexcept {
  ComPtr<ILumoCommandHandler> handler;
  if (mCompanion) mCompanion->QueryInterface(IID_ILumoCommandHandler, handler.OutVoid());
  return handler;
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::Execute(uint32_t commandId) noexcept {
  if (auto companion = CompanionCommands(); companion && companion->Execute(commandId) == S_OK)
    return S_OK;
  return LumoEventHandler::Execute(commandId);
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::QueryState(uint32_t commandId,
                                                            ICommandState* state) noexcept {
  if (auto companion = CompanionCommands();
      companion && companion->QueryState(commandId, state) == S_OK)
    return S_OK;
  return LumoEventHandler::QueryState(commandId, state);
}

HRESULT STDMETHODCALLTYPE LumoDocumentClassBase::ExecuteWithArgs(uint32_t commandId,
                                                                 uint32_t kind,
                                                                 uintptr_t argument1,
                                                                 uintptr_t argument2) noexcept {
  if (auto companion = CompanionCommands();
      companion &&
      companion->ExecuteWithArgs(commandId, kind, argument1, argument2) == S_OK)
    return S_OK;
  return LumoEventHandler::ExecuteWithArgs(commandId, kind, argument1, argument2);
}
