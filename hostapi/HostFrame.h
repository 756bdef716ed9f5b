// Host help: the help operation of the frame interface a document's site gives, and the host
// application's help service.
// Ownership: texts passed in are borrowed for the call.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {5B8E2F41-7C3D-4A96-B1E8-3D4F5A6B7C81}
inline constexpr GUID IID_IHostFrameHelp = {
    0x5B8E2F41, 0x7C3D, 0x4A96, {0xB1, 0xE8, 0x3D, 0x4F, 0x5A, 0x6B, 0x7C, 0x81}};

struct IHostFrameHelp : IUnknown {
  // Slot 3: opens a topic of the host's help; context is 0 for the topic's start.
  virtual HRESULT STDMETHODCALLTYPE ShowHelpTopic(const wchar_t* topic, uint32_t context) = 0;
};

// {9E4D2B17-3C6A-4F58-8B21-7D0E5A9C3F64}: the host application's help service (this host's own
// interface id), asked of the host application object.
inline constexpr GUID IID_IHostHelp = {
    0x9E4D2B17, 0x3C6A, 0x4F58, {0x8B, 0x21, 0x7D, 0x0E, 0x5A, 0x9C, 0x3F, 0x64}};

struct IHostHelp : IUnknown {
  // Slot 3: opens topic in the help file helpFile (a name without folder or extension).
  virtual HRESULT STDMETHODCALLTYPE ShowHelp(const wchar_t* helpFile, const wchar_t* topic) = 0;
};

