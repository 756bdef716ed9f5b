// The menu-root and menu services: each class's menu root and the entries a module adds under
// it, kept as a tree the host lays its menus out from.
#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/common/ReservedSlots.h"
#include "host/common/HostString.h"
#include "host/framework/FrameworkRecords.h"
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/HostMenu.h"

#include <objbase.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace lumo {

namespace {

// One node: a root (with the handler its commands go to) or an entry, and what it holds.
class MenuNode final : public host::HostObject<IHostMenuList, IHostMenuRecord> {
 public:
  MenuNode(std::wstring label, ILumoCommandHandler* handler)
      : mLabel(std::move(label)), mHandler(handler) {}

  HRESULT STDMETHODCALLTYPE Add(IUnknown* entry) noexcept override {
    if (!entry) return E_POINTER;
    try {
      mChildren.emplace_back(entry);
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE Describe(BSTR* tree) noexcept override {
    if (!tree) return E_POINTER;
    *tree = nullptr;
    try {
      std::wstring text;
      Write(text, 0);
      *tree = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      return *tree ? S_OK : E_OUTOFMEMORY;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE RunCommand(uint32_t id) noexcept override {
    return mHandler ? mHandler->Execute(id) : E_FAIL;
  }

 private:
  ~MenuNode() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IHostMenuList) return static_cast<IHostMenuList*>(this);
    if (iid == IID_IHostMenuRecord) return static_cast<IHostMenuRecord*>(this);
    return nullptr;
  }
  void Write(std::wstring& text, int depth) const {
    text.append(static_cast<size_t>(depth) * 2, L' ').append(mLabel).append(L"\n");
    for (const auto& child : mChildren) {
      auto record = child.As<IHostMenuRecord>(IID_IHostMenuRecord);
      if (!record) continue;
      BSTR childText = nullptr;
      if (FAILED(record->Describe(&childText)) || !childText) continue;
      // Indent every line of the child's subtree one level deeper.
      std::wstring lines(childText, SysStringLen(childText));
      SysFreeString(childText);
      for (size_t start = 0; start < lines.size();) {
        const size_t end = lines.find(L'\n', start);
        text.append(static_cast<size_t>(depth + 1) * 2, L' ')
            .append(lines, start, end - start)
            .append(L"\n");
        start = end == std::wstring::npos ? lines.size() : end + 1;
      }
    }
  }

  std::wstring mLabel;
  host::HostPtr<ILumoCommandHandler> mHandler;
  std::vector<host::HostPtr<IUnknown>> mChildren;
};

std::wstring Quoted(QOR::IQORString* text) {
  return text ? L"\"" + host::StringText(text) + L"\"" : L"-";
}

std::wstring Hex(uintptr_t value) {
  wchar_t buffer[16];
  swprintf(buffer, 16, L"0x%X", static_cast<unsigned>(value));
  return buffer;
}

HRESULT HandOutNode(std::wstring label, ILumoCommandHandler* handler, IHostMenuList** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  try {
    *out = new MenuNode(std::move(label), handler);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

class MenuRootService final : public StaticService<IHostMenuRootService, IID_IHostMenuRootService> {
 public:
  HOST_SERVICE_RESERVED_SLOTS
  HRESULT STDMETHODCALLTYPE CreateMenuRoot(const GUID* messageClass, ILumoCommandHandler* handler,
                                           IUnknown* menuBar, IHostMenuList** root) noexcept override {
    if (!root) return E_POINTER;
    *root = nullptr;
    if (!messageClass) return E_INVALIDARG;
    wchar_t guid[40] = L"";
    StringFromGUID2(*messageClass, guid, 40);
    HRESULT hr = E_OUTOFMEMORY;
    try {
      hr = HandOutNode(L"root " + std::wstring(guid), handler, root);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    // The host's menu bar, when the host asked for the menus with one, shows the new root.
    host::HostPtr<IHostMenuList> bar(nullptr);
    if (SUCCEEDED(hr) && menuBar &&
        SUCCEEDED(menuBar->QueryInterface(IID_IHostMenuList, reinterpret_cast<void**>(bar.Out()))) && bar)
      bar->Add(*root);
    return hr;
  }
};

class MenuService final : public StaticService<IHostMenuService, IID_IHostMenuService> {
 public:
  HOST_SERVICE_RESERVED_SLOTS
  HRESULT STDMETHODCALLTYPE CreateMenuItems(uintptr_t, QOR::IQORString* path,
                                            QOR::IQORString* text, uintptr_t, uintptr_t,
                                            uintptr_t, QOR::IQORString* name, uintptr_t,
                                            uintptr_t, uint32_t kind, uintptr_t, uintptr_t,
                                            uint32_t order, IHostMenuList** item) noexcept override {
    try {
      const std::wstring label = kind == kMenuKindSubMenu
                                     ? L"submenu " + Quoted(name) + L" title " + Quoted(text) +
                                           L" order " + std::to_wstring(order)
                                     : (path ? L"items " + Quoted(path) : L"separator " + Quoted(text)) +
                                           (order ? L" order " + std::to_wstring(order) : L"");
      return HandOutNode(label, nullptr, item);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE CreateMenuEntry(uintptr_t parent, uint32_t position, uint32_t id,
                                            QOR::IQORString* text, uint32_t flag,
                                            QOR::IQORString* helpText, QOR::IQORString* thirdText,
                                            uint32_t kind, uintptr_t, uintptr_t,
                                            IHostMenuList** item) noexcept override {
    try {
      std::wstring label = (kind == kMenuKindCommand ? L"command " : L"entry ") + Quoted(text) +
                           L" id " + Hex(id) + L" position " + std::to_wstring(position) +
                           L" parent " + Hex(parent);
      if (kind == kMenuKindCommand)
        label += L" flag " + std::to_wstring(flag) + L" help " + Quoted(helpText) + L" tag " +
                 Quoted(thirdText);
      return HandOutNode(std::move(label), nullptr, item);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
};

MenuRootService gMenuRootService;
ServiceRegistration gMenuRootServiceEntry(IID_IHostMenuRootService, kMenuRootServiceId,
                                          &gMenuRootService);
MenuService gMenuService;
ServiceRegistration gMenuServiceEntry(IID_IHostMenuService, kMenuServiceId, &gMenuService);

}  // namespace

}  // namespace lumo
