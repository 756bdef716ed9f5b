// OwlDocViewClassBase: the view class's names, companion, menus, lock count and the interface
// ids its views are listed under.
#include "hostclient/OwlDocViewClassBase.h"

#include "hostapi/ChildDocumentList.h"
#include "hostclient/BstrSlot.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/HostMenus.h"
#include "hostclient/IterAtlEnum.h"

namespace {
// {33F1D6AB-6731-43EE-B957-A9FABB1635B4}: the module's analysis document.
constexpr GUID kZRDocInterfaceIid = {
    0x33F1D6AB, 0x6731, 0x43EE, {0xB9, 0x57, 0xA9, 0xFA, 0xBB, 0x16, 0x35, 0xB4}};
const IID* const kViewInterfaces[] = {&IID_IHostChildDocumentList, &kZRDocInterfaceIid};
}  // namespace

OwlDocViewClassBase::OwlDocViewClassBase(const QOR::String& name, const wchar_t* displayName)
    : mName(name), mDisplayName(displayName ? QOR::String(displayName) : name) {
  IClassRegistry* const framework = ObjectFactoryAccessor::Get();
  if (!framework) return;
  ComPtr<IGenericClassObject> service;
  framework->GetClassObject(kGenericClassServiceId, IID_IGenericClassObject, service.OutVoid());
  if (!service) return;
  InternalAddRef();  // the service may take and drop references meanwhile
  service->CreateCompanion(static_cast<IDocViewClass*>(this), IID_IUnknown,
                           mCompanion.OutVoid());
  InternalReleaseStatic();
}

OwlDocViewClassBase::~OwlDocViewClassBase() {
  mCompanion.Reset();
  mMenuRoot.Reset();
}

HRESULT OwlDocViewClassBase::AskCompanion(void* object, REFIID iid, void** out,
                                          std::uintptr_t) noexcept {
  auto* const self = static_cast<OwlDocViewClassBase*>(object);
  if (!self->mCompanion) return E_NOINTERFACE;
  return self->mCompanion->QueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::GetCategory(const GUID** category) noexcept {
  if (!category) return E_POINTER;
  *category = mCategory;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::GetNameBstr(BSTR* name) noexcept {
  return QOR::StoreBstr(name, (mDisplayName.IsEmpty() ? mName : mDisplayName).GetText());
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::IsCategory(const GUID* category) noexcept {
  if (!category) return S_FALSE;
  return (category == mCategory || IsEqualGUID(*category, *mCategory)) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::GetClassNameBstr(BSTR* name) noexcept {
  return QOR::StoreBstr(name, mName.GetText());
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::GetInstance(HINSTANCE* instance) noexcept {
  if (instance) *instance = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::GetClassFlags(uint32_t* flags) noexcept {
  if (!flags) return E_POINTER;
  *flags = mClassFlags;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::Initialise() noexcept {
  return ComTry([&] {
    ComPtr<IViewClassCompanion> companion;
    QueryInterface(IID_IViewClassCompanion, companion.OutVoid());
    if (companion) companion->ClassInitialised();
    ComPtr<ILumoCommandHandler> handler;
    QueryInterface(IID_ILumoCommandHandler, handler.OutVoid());
    if (handler) AddMenus(handler.Get());
  });
}

void OwlDocViewClassBase::AddMenus(ILumoCommandHandler* handler) {
  uint32_t id = 0;
  GetTypeId(&id);
  GUID messageClass{};
  ITypeRegistry* const types = GetTypeRegistry();
  if (!types || FAILED(types->GetGuid(id >> 16, &messageClass))) return;
  ComPtr<IHostMenuList> root;
  CreateHostMenuRoot(&messageClass, handler, static_cast<IDocViewClass*>(this), root);
  mMenuRoot = root;
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::GetInterfaces(IEnumInterface** interfaces) noexcept {
  return IterAtlEnum::Create(std::begin(kViewInterfaces), std::end(kViewInterfaces),
                             std::begin(kViewInterfaces), nullptr, interfaces);
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::LockClass() noexcept {
  InterlockedIncrement(&mLockCount);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::UnlockClass() noexcept {
  InterlockedDecrement(&mLockCount);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OwlDocViewClassBase::GetLockCount(uintptr_t, int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = mLockCount;
  return S_OK;
}
