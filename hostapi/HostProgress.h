// Host progress object: the host's display of a long operation, with a way for the user to cancel.
// Ownership: strings passed in are borrowed for the call; releasing the last reference ends the
// display.
#pragma once

#include "hostapi/QORString.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {D9CF6C34-C00C-4792-A17D-9D8311972BF2}
inline constexpr GUID IID_IHostProgress = {
    0xD9CF6C34, 0xC00C, 0x4792, {0xA1, 0x7D, 0x9D, 0x83, 0x11, 0x97, 0x2B, 0xF2}};
// The host's user-interface classes, reached by number.
// {C203FC30-7AAA-11D3-80B9-005004AD3C53}
inline constexpr GUID kHostUiClassGuid = {
    0xC203FC30, 0x7AAA, 0x11D3, {0x80, 0xB9, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// The progress class among them, made through the object factory.
inline constexpr uint16_t kHostProgressClassNumber = 16;

struct IHostProgress : IUnknown {
  // Slot 3: shows the display with a title and two lines of text (any may be null); mode and
  // style are 1. E_UNEXPECTED when already started.
  virtual HRESULT STDMETHODCALLTYPE Start(int32_t mode, QOR::IQORString* title, QOR::IQORString* text,
                                          QOR::IQORString* detail, int32_t style) = 0;
  // Slot 4: replaces the first line of text.
  virtual HRESULT STDMETHODCALLTYPE SetText(QOR::IQORString* text) = 0;
  // Slot 5: not an HRESULT: shows a whole percentage (clamped to 0-100) and answers non-zero
  // once the user has cancelled (and from then on).
  virtual int32_t STDMETHODCALLTYPE SetPercent(int32_t percent) = 0;
};
