// Host scripting of a module document's settings: what the host's command line hands a document
// before it runs one of its named commands.
// Ownership: strings passed in are borrowed for the call.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

#include "hostapi/QORString.h"

// {5F0C7E21-3A94-4B6D-9E58-1C2B7A3D4E60}
inline constexpr GUID IID_IDocumentSettingsScript = {
    0x5F0C7E21, 0x3A94, 0x4B6D, {0x9E, 0x58, 0x1C, 0x2B, 0x7A, 0x3D, 0x4E, 0x60}};

struct IDocumentSettingsScript : IUnknown {
  // Slot 3: sets the setting numbered id from its text (numbers in the "C" locale). E_POINTER for
  // a null text; E_INVALIDARG for an id the document does not have or a value it does not accept,
  // the value's refusal with the words why as the thread's error information (GetErrorInfo).
  virtual HRESULT STDMETHODCALLTYPE SetSettingText(int32_t id, const wchar_t* text) = 0;
  // Slot 4: the message the document shows for an invalid value of the setting, with one
  // reference for the caller. S_FALSE and null when the setting has no message of its own;
  // E_INVALIDARG for an id the document does not have; E_POINTER for a null out pointer.
  virtual HRESULT STDMETHODCALLTYPE GetSettingErrorText(int32_t id, QOR::IQORString** text) = 0;
  // Slot 5: the setting's value as its text (numbers in the "C" locale), with one reference for
  // the caller. E_INVALIDARG for an id the document does not have; E_POINTER for a null out pointer.
  virtual HRESULT STDMETHODCALLTYPE GetSettingText(int32_t id, QOR::IQORString** text) = 0;
};
