// LumoDocumentClass<D>: the document class object that creates documents of class D.
#pragma once

#include "hostclient/ComBoundary.h"
#include "hostclient/HostMenus.h"
#include "hostclient/LumoDocumentClassBase.h"

// D is built as D(host object, class object, creation flags), derives from LumoDocument and
// offers static void AddHostMenus(IHostMenuList* root), which adds the class's entries.
template <class D>
class LumoDocumentClass final : public LumoDocumentClassBase {
 public:
  LumoDocumentClass(const wchar_t* name, const GUID* classGuid, const GUID* category,
                    uint32_t typeId, uint32_t classFlags, uint32_t serviceValue)
      : LumoDocumentClassBase(name, classGuid, category, typeId, classFlags, serviceValue) {}

  HRESULT STDMETHODCALLTYPE CreateDocument(uintptr_t, IUnknown* hostObject, uint32_t flags,
                                           ICustomDocument2** document,
                                           uintptr_t) noexcept override {
    if (!document) return E_POINTER;
    *document = nullptr;
    return ComTry([&] {
      // A constructor that throws leaves nothing behind: the document had no reference yet.
      D* const made = new D(hostObject, static_cast<ICustomDocClass*>(this), flags);
      ICustomDocument2* const part = made;
      part->AddRef();
      *document = part;
    });
  }

 protected:
  void AddMenus(ILumoCommandHandler* handler, IUnknown* argument) override {
    ComPtr<IHostMenuList> root;
    CreateHostMenuRoot(GetClassGuidValue(), handler, argument, root);
    SetMenuRoot(root);
    D::AddHostMenus(root.Get());
  }

 private:
  ~LumoDocumentClass() override = default;
  const GUID* GetClassGuidValue() noexcept {
    const GUID* guid = nullptr;
    GetClassGuid(&guid);
    return guid;
  }
};
