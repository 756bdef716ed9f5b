// Host frame: the help operation of the frame interface a document's site gives.
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
