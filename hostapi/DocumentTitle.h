// Document title: the name the host shows for a host document (its data file's name).
// Ownership: the BSTR handed out is the caller's to free (SysFreeString).
#pragma once

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

// {5D2B8E41-7A3C-4F19-B6D0-8C1E2F3A4B95}: asked of the host document.
inline constexpr GUID IID_IHostDocumentTitle = {
    0x5D2B8E41, 0x7A3C, 0x4F19, {0xB6, 0xD0, 0x8C, 0x1E, 0x2F, 0x3A, 0x4B, 0x95}};

struct IHostDocumentTitle : IUnknown {
  // Slot 3: the title as a new BSTR; E_POINTER for a null out-pointer.
  virtual HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) = 0;
};
