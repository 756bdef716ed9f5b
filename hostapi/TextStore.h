// Host text store: one line of text kept by the host for a persisted object.
// Ownership: ReadText hands out one reference for the caller (null when the store holds
// nothing); WriteText borrows the string for the call.
#pragma once

#include <unknwn.h>
#include <windows.h>

namespace QOR {
struct IQORString;
}

// {6C1F5E2A-4B7D-4E8A-9F30-2D5A8C7E1B94} (this host's own interface id)
inline constexpr GUID IID_IHostTextStore = {
    0x6C1F5E2A, 0x4B7D, 0x4E8A, {0x9F, 0x30, 0x2D, 0x5A, 0x8C, 0x7E, 0x1B, 0x94}};

struct IHostTextStore : IUnknown {
  // Slot 3: the text held; S_FALSE and null when there is none.
  virtual HRESULT STDMETHODCALLTYPE ReadText(QOR::IQORString** text) = 0;
  // Slot 4: replaces the text held; null empties it.
  virtual HRESULT STDMETHODCALLTYPE WriteText(QOR::IQORString* text) = 0;
};
