// The menu functions over the host's menu-root and menu services.
#include "hostclient/HostMenus.h"

#include "hostclient/FrameworkAccess.h"

#include <cwchar>

namespace {
// The entries' texts cross as the strings' own interfaces, borrowed for the call.
QOR::IQORString* Text(const QOR::String& text) { return text.GetInterface(); }
}  // namespace

void CreateHostMenuRoot(const GUID* messageClass, ILumoCommandHandler* handler,
                        IUnknown* argument, ComPtr<IHostMenuList>& root) {
  root.Reset();
  if (IHostMenuRootService* const service = GetHostMenuRootService())
    service->CreateMenuRoot(messageClass, handler, argument, root.Out());
}

void CreateHostMenuTitle(uintptr_t value, const QOR::String& text, ComPtr<IHostMenuList>& entry) {
  entry.Reset();
  if (IHostMenuService* const service = GetHostMenuService())
    service->CreateMenuEntry(0, static_cast<uint32_t>(value), 2000, Text(text), 0, nullptr,
                             nullptr, kMenuKindPlain, 0, 0, entry.Out());
}

void CreateHostMenuEntry(uintptr_t parent, uint32_t position, uint32_t id,
                         const QOR::String& text, ComPtr<IHostMenuList>& entry) {
  entry.Reset();
  if (IHostMenuService* const service = GetHostMenuService())
    service->CreateMenuEntry(parent, position, id, Text(text), 0, nullptr, nullptr,
                             kMenuKindPlain, 0, 0, entry.Out());
}

void CreateHostMenuCommand(uintptr_t parent, uint32_t position, uint32_t id,
                           const QOR::String& text, uint32_t flag, const QOR::String& helpText,
                           const QOR::String& thirdText, ComPtr<IHostMenuList>& entry) {
  entry.Reset();
  if (IHostMenuService* const service = GetHostMenuService())
    service->CreateMenuEntry(parent, position, id, Text(text), flag, Text(helpText),
                             Text(thirdText), kMenuKindCommand, 0, 0, entry.Out());
}

void CreateHostSubMenu(const QOR::String& text1, const QOR::String& text2,
                       ComPtr<IHostMenuList>& entry) {
  entry.Reset();
  if (IHostMenuService* const service = GetHostMenuService())
    service->CreateMenuItems(0, nullptr, Text(text2), 0, 0, 0, Text(text1), 0, 0,
                             kMenuKindSubMenu, 0, 0, 10000, entry.Out());
}

void AddHostMenuItems(const QOR::String& path, ComPtr<IHostMenuList>& entry, uint32_t position) {
  entry.Reset();
  IHostMenuService* const service = GetHostMenuService();
  if (!service) return;
  const bool separator = std::wcscmp(path.GetText(), L"-") == 0;
  // A separator travels as the third argument, any other path as the second.
  service->CreateMenuItems(0, separator ? nullptr : Text(path), separator ? Text(path) : nullptr,
                           0, 0, 0, nullptr, 0, 0, kMenuKindPlain, 0, 0, position, entry.Out());
}
