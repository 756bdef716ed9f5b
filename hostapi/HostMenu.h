// Host menus: the menu-root service that gives each class a menu root, and the menu service
// that makes the entries a module adds under it.
// Ownership: entries and roots handed out carry one reference for the caller; texts and
// handlers passed in are borrowed (the service keeps its own references).
#pragma once

#include "hostapi/MessageHandler.h"
#include "hostapi/QORString.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {812082B6-B7F0-11D3-80C8-005004AD3C53}: reached with kMenuRootServiceId.
inline constexpr GUID IID_IHostMenuRootService = {
    0x812082B6, 0xB7F0, 0x11D3, {0x80, 0xC8, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// {812082B1-B7F0-11D3-80C8-005004AD3C53}: reached with kMenuServiceId.
inline constexpr GUID IID_IHostMenuService = {
    0x812082B1, 0xB7F0, 0x11D3, {0x80, 0xC8, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// {6F0B4E21-8C3A-4D55-9E17-2A6B3C4D5E70}: the stand-in host's menu root and entries.
inline constexpr GUID IID_IHostMenuList = {
    0x6F0B4E21, 0x8C3A, 0x4D55, {0x9E, 0x17, 0x2A, 0x6B, 0x3C, 0x4D, 0x5E, 0x70}};

// Entry kinds the module passes (the menu service's kind argument).
inline constexpr uint32_t kMenuKindPlain = 2;
inline constexpr uint32_t kMenuKindCommand = 10;
inline constexpr uint32_t kMenuKindSubMenu = 56;

// A menu root or entry: the list the module adds the entries it made to.
struct IHostMenuList : IUnknown {
  // Slot 3: appends entry (one reference kept).
  virtual HRESULT STDMETHODCALLTYPE Add(IUnknown* entry) = 0;
};

struct IHostMenuRootService : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  // Slot 7: the menu root of a class: its commands (ids of messageClass) go to handler;
  // argument is what the class was given with the menu request.
  virtual HRESULT STDMETHODCALLTYPE CreateMenuRoot(const GUID* messageClass,
                                                   ILumoCommandHandler* handler,
                                                   IUnknown* argument, IHostMenuList** root) = 0;
};

struct IHostMenuService : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  // Slot 7: a submenu or separator from a path; the words and texts as the module passes them.
  virtual HRESULT STDMETHODCALLTYPE CreateMenuItems(
      uintptr_t a0, QOR::IQORString* path, QOR::IQORString* text, uintptr_t a3, uintptr_t a4,
      uintptr_t a5, QOR::IQORString* name, uintptr_t a7, uintptr_t a8, uint32_t kind,
      uintptr_t a10, uintptr_t a11, uint32_t order, IHostMenuList** item) = 0;
  // Slot 8: an entry (title, plain entry or command) under parent (an instance word or 0).
  virtual HRESULT STDMETHODCALLTYPE CreateMenuEntry(
      uintptr_t parent, uint32_t position, uint32_t id, QOR::IQORString* text, uint32_t flag,
      QOR::IQORString* helpText, QOR::IQORString* thirdText, uint32_t kind, uintptr_t a8,
      uintptr_t a9, IHostMenuList** item) = 0;
};
