// The menu functions: a class's menu root and the entries a module adds to the host's menu.
#pragma once

#include "base/String.h"
#include "hostapi/HostMenu.h"
#include "hostclient/ComPtr.h"

#include <cstdint>

// Each function clears the caller's out pointer (releasing what it held) first; it stays null
// when the host's menu service cannot make the entry.

// The menu root of a class whose commands are ids of messageClass, sent to handler.
void CreateHostMenuRoot(const GUID* messageClass, ILumoCommandHandler* handler,
                        IUnknown* argument, ComPtr<IHostMenuList>& root);
void CreateHostMenuTitle(uintptr_t value, const QOR::String& text, ComPtr<IHostMenuList>& entry);
void CreateHostMenuEntry(uintptr_t parent, uint32_t position, uint32_t id,
                         const QOR::String& text, ComPtr<IHostMenuList>& entry);
void CreateHostMenuCommand(uintptr_t parent, uint32_t position, uint32_t id,
                           const QOR::String& text, uint32_t flag, const QOR::String& helpText,
                           const QOR::String& thirdText, ComPtr<IHostMenuList>& entry);
void CreateHostSubMenu(const QOR::String& text1, const QOR::String& text2,
                       ComPtr<IHostMenuList>& entry);
// A separator for the path "-", otherwise the items of the path (a path ending in "|-" is a
// separator in that menu), placed at position among the menu's items.
void AddHostMenuItems(const QOR::String& path, ComPtr<IHostMenuList>& entry, uint32_t position = 0);
