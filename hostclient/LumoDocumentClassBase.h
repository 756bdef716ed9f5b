// LumoDocumentClassBase: the class object through which the host creates a module's documents
// and asks for the class's menus.
#pragma once

#include "base/String.h"
#include "hostapi/CustomDocument.h"
#include "hostapi/HostMenu.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "hostclient/LumoEventHandler.h"

#include <utility>

// Created with a count of 0 and handed to the framework's class registry, which holds it.
// Interface requests and commands it does not take itself go to the class companion.
class LumoDocumentClassBase : public ICustomDocClass,
                              public LumoEventHandler,
                              public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(LumoDocumentClassBase)
  QOR_INTERFACE_ENTRY(ICustomDocClass, IID_ILumoClassObject)
  QOR_INTERFACE_ENTRY(ICustomDocClass, IID_ICustomDocClass)
  QOR_INTERFACE_ENTRY(ILumoCommandHandler, IID_ILumoCommandHandler)
  QOR_INTERFACE_ENTRY(IMessageHandler, IID_IMessageHandler)
  QOR_INTERFACE_ENTRY(IObserver, IID_IObserver)
  QOR_BLIND_ROUTINE(&AskCompanion, 0)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  // ICustomDocClass
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override;
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override;
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID* category) noexcept override;
  HRESULT STDMETHODCALLTYPE GetClassNameBstr(BSTR* name) noexcept override;
  HRESULT STDMETHODCALLTYPE GetClassFlags(uint32_t* flags) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override;
  HRESULT STDMETHODCALLTYPE RequestMenus(IUnknown* argument) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override;
  HRESULT STDMETHODCALLTYPE GetClassGuid(const GUID** guid) noexcept override;

  // Commands go to the class companion first; what it does not take, to the class's tables.
  HRESULT STDMETHODCALLTYPE Execute(uint32_t commandId) noexcept override;
  HRESULT STDMETHODCALLTYPE QueryState(uint32_t commandId, ICommandState* state) noexcept override;
  HRESULT STDMETHODCALLTYPE ExecuteWithArgs(uint32_t commandId, uint32_t kind,
                                            uintptr_t argument1,
                                            uintptr_t argument2) noexcept override;

  IUnknown* Companion() const noexcept { return mCompanion.Get(); }
  IHostMenuList* MenuRoot() const noexcept { return mMenuRoot.Get(); }

 protected:
  // typeId is the class's framework type id; serviceValue is handed to the class service.
  LumoDocumentClassBase(const wchar_t* name, const GUID* classGuid, const GUID* category,
                        uint32_t typeId, uint32_t classFlags, uint32_t serviceValue);
  ~LumoDocumentClassBase() override;

  // Adds the class's menus; handler receives their commands.
  virtual void AddMenus(ILumoCommandHandler* handler, IUnknown* argument) = 0;
  // Keeps root as the class's menu root, releasing the previous one.
  void SetMenuRoot(ComPtr<IHostMenuList> root) noexcept { mMenuRoot = std::move(root); }

 private:
  static HRESULT AskCompanion(void* object, REFIID iid, void** out, std::uintptr_t) noexcept;
  // The companion's command handler (one reference), or null.
  ComPtr<ILumoCommandHandler> CompanionCommands() const noexcept;

  IUnknown* mCompanionLink = nullptr;  // part of the companion: no reference
  ComPtr<IUnknown> mCompanion;
  ComPtr<IHostMenuList> mMenuRoot;
  QOR::String mName;
  const GUID* mClassGuid;
  const GUID* mCategory;
  uint32_t mTypeId;
  uint32_t mClassFlags;
};
