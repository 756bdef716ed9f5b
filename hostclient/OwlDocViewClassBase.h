// OwlDocViewClassBase: the class object through which the host creates a module's views.
#pragma once

#include "base/String.h"
#include "hostapi/DocView.h"
#include "hostapi/HostMenu.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"

// Created with a count of 0 and handed to the framework's class registry, which holds it;
// every view holds a reference on its class. Interface requests it does not take itself go to
// the class companion.
class OwlDocViewClassBase : public IDocViewClass, public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(OwlDocViewClassBase)
  QOR_INTERFACE_ENTRY(IDocViewClass, IID_ILumoClassObject)
  QOR_INTERFACE_ENTRY(IDocViewClass, IID_IViewClass)
  QOR_INTERFACE_ENTRY(IDocViewClass, IID_IDocViewClass)
  QOR_BLIND_ROUTINE(&AskCompanion, 0)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override;
  // The display name, or the name when the display name is empty.
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override;
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID* category) noexcept override;
  HRESULT STDMETHODCALLTYPE GetClassNameBstr(BSTR* name) noexcept override;
  // E_NOTIMPL here.
  HRESULT STDMETHODCALLTYPE GetInstance(HINSTANCE* instance) noexcept override;
  HRESULT STDMETHODCALLTYPE GetClassFlags(uint32_t* flags) noexcept override;
  HRESULT STDMETHODCALLTYPE Initialise() noexcept override;
  HRESULT STDMETHODCALLTYPE GetInterfaces(IEnumInterface** interfaces) noexcept override;
  HRESULT STDMETHODCALLTYPE LockClass() noexcept override;
  HRESULT STDMETHODCALLTYPE UnlockClass() noexcept override;
  HRESULT STDMETHODCALLTYPE GetLockCount(uintptr_t unused, int32_t* count) noexcept override;

  // Makes the class's menu root for handler, replacing the one kept before.
  virtual void AddMenus(ILumoCommandHandler* handler);

  IUnknown* Companion() const noexcept { return mCompanion.Get(); }
  IHostMenuList* MenuRoot() const noexcept { return mMenuRoot.Get(); }

 protected:
  // displayName may be null (the name is shown then).
  OwlDocViewClassBase(const QOR::String& name, const wchar_t* displayName);
  ~OwlDocViewClassBase() override;

 private:
  static HRESULT AskCompanion(void* object, REFIID iid, void** out, std::uintptr_t) noexcept;

  ComPtr<IHostMenuList> mMenuRoot;
  QOR::String mName;
  QOR::String mDisplayName;
  ComPtr<IUnknown> mCompanion;
  const GUID* mCategory = &kViewClassCategory;
  uint32_t mClassFlags = 1;
  volatile LONG mLockCount = 0;
};
