// What tests observe in the stand-in framework (recorded message boxes, announcements, registry requests).
// Only tests include this. The functions are looked up in the Lumo.dll already
// loaded in the process, so including it never loads the library by itself;
// without a loaded Lumo.dll every query answers 0 or false.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include "host/framework/LumoExport.h"

#include <cstdint>
#include <string>

namespace lumo_observe {

struct MessageBoxSeen {
  std::wstring text;
  std::wstring caption;
  uint32_t style = 0;
};

using lumo_export::Export;

// Message boxes the host application was asked to show since the last Clear.
inline uint32_t MessageBoxCount() {
  const auto fn = Export<uint32_t(__stdcall*)()>("LumoObservedMessageBoxCount");
  return fn ? fn() : 0;
}

inline bool GetMessageBox(uint32_t index, MessageBoxSeen& seen) {
  const auto fn = Export<BOOL(__stdcall*)(uint32_t, wchar_t*, uint32_t, wchar_t*, uint32_t,
                                          uint32_t*)>("LumoObservedMessageBox");
  wchar_t text[2048];
  wchar_t caption[512];
  if (!fn || !fn(index, text, 2048, caption, 512, &seen.style)) return false;
  seen.text = text;
  seen.caption = caption;
  return true;
}

// Announcements of eventCode (about object, or any object when null) since the last Clear.
inline uint32_t AnnouncementCount(uint32_t eventCode, IUnknown* object = nullptr) {
  const auto fn =
      Export<uint32_t(__stdcall*)(uint32_t, IUnknown*)>("LumoObservedAnnouncementCount");
  return fn ? fn(eventCode, object) : 0;
}

// The version texts modules reported, in order (kept for the process).
inline bool GetVersionText(uint32_t index, std::wstring& text) {
  const auto fn = Export<BOOL(__stdcall*)(uint32_t, wchar_t*, uint32_t)>("LumoObservedVersionText");
  wchar_t buffer[512];
  if (!fn || !fn(index, buffer, 512)) return false;
  text = buffer;
  return true;
}

// The help topics the host was asked to open since the last Clear, in order: the file (empty
// for the frame's own help) and the topic.
inline bool GetHelpRequest(uint32_t index, std::wstring& file, std::wstring& topic) {
  const auto fn =
      Export<BOOL(__stdcall*)(uint32_t, wchar_t*, uint32_t, wchar_t*, uint32_t)>("LumoObservedHelpRequest");
  wchar_t fileBuffer[260];
  wchar_t topicBuffer[260];
  if (!fn || !fn(index, fileBuffer, 260, topicBuffer, 260)) return false;
  file = fileBuffer;
  topic = topicBuffer;
  return true;
}

// How often modules asked the type registry for the class index of guid.
inline uint32_t GuidRequests(const GUID& guid) {
  const auto fn = Export<uint32_t(__stdcall*)(const GUID*)>("LumoObservedGuidRequests");
  return fn ? fn(&guid) : 0;
}

// The type id of the calculation-enumerator class the registry indexed under name
// or alias (any case); false when none.
inline bool FindEnumClass(const wchar_t* name, uint32_t& typeId) {
  const auto fn = Export<BOOL(__stdcall*)(const wchar_t*, uint32_t*)>("LumoObservedEnumClass");
  return fn && fn(name, &typeId);
}

// Forgets the recorded message boxes, announcements and help requests.
inline void Clear() {
  const auto fn = Export<void(__stdcall*)()>("LumoClearObservations");
  if (fn) fn();
}

// What the print service did: jobs printed, previews shown, and of the last one the pages
// drawn, its print flags (0 for a preview), its title and the centre pixel (0x00RRGGBB) of
// its bitmap page (0 when it went to a printer).
struct PrintJobsSeen {
  uint32_t jobs = 0;
  uint32_t previews = 0;
  uint32_t pages = 0;
  uint32_t flags = 0;
  uint32_t centre = 0;
  std::wstring title;
};

inline PrintJobsSeen PrintJobs() {
  PrintJobsSeen seen;
  const auto fn = Export<uint32_t(__stdcall*)(uint32_t*, uint32_t*, uint32_t*, uint32_t*,
                                              wchar_t*, uint32_t)>("LumoObservedPrintJobs");
  wchar_t title[512] = {};
  if (!fn) return seen;
  seen.jobs = fn(&seen.previews, &seen.pages, &seen.flags, &seen.centre, title, 512);
  seen.title = title;
  return seen;
}

// How often the copy service was told a picture copy begins.
inline uint32_t CopyBegins() {
  const auto fn = Export<uint32_t(__stdcall*)()>("LumoObservedCopyBegins");
  return fn ? fn() : 0;
}

// The language the host application reports from now on (0: the system's).
inline void SetHostLanguage(uint16_t language) {
  if (const auto fn = Export<void(__stdcall*)(uint16_t)>("LumoSetHostLanguage")) fn(language);
}

}  // namespace lumo_observe
