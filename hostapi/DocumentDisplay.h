// How a host document displays its channels: its display mode, each channel's colour and its
// display options (the colour scheme's entries: 0x800C000A the grid's palette index,
// 0x800C000E a second value, 0x800C0009 non-zero while the grid is drawn).
// Ownership: out pointers are checked for null, cleared first and filled with one reference.
#pragma once

#include "hostapi/ColourScheme.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// The time-display option among the display options (read with GetEntryInteger and the entry's
// object of that class id): non-zero when times show the clock time before the time from the
// start of the recording.
inline constexpr uint32_t kDisplayEntryClockTime = 0x800C0044u;

// {2F64B1D8-0C7A-4E95-A3B2-6D18E4F09C57}
inline constexpr GUID IID_IHostDocumentDisplay = {
    0x2F64B1D8, 0x0C7A, 0x4E95, {0xA3, 0xB2, 0x6D, 0x18, 0xE4, 0xF0, 0x9C, 0x57}};

// Reached by QueryInterface from a host document.
struct IHostDocumentDisplay : IUnknown {
  // Slot 3: the display mode; *mode is left as it was when the document has none.
  virtual HRESULT STDMETHODCALLTYPE GetDisplayMode(int32_t* mode) = 0;
  // Slot 4: the colour of a channel's trace; E_INVALIDARG for a channel without one.
  virtual HRESULT STDMETHODCALLTYPE GetChannelColour(int32_t channel, COLORREF* colour) = 0;
  // Slot 5: the display options, answered as colour-scheme entries.
  virtual HRESULT STDMETHODCALLTYPE GetDisplayOptions(IHostColourScheme** options) = 0;
};

// {4EBE8A1C-A218-4A6C-A970-12116A1A59BC}
inline constexpr GUID IID_IHostIndexedColours = {
    0x4EBE8A1C, 0xA218, 0x4A6C, {0xA9, 0x70, 0x12, 0x11, 0x6A, 0x1A, 0x59, 0xBC}};

// Reached by QueryInterface from the host application: the host's colour of a palette index.
struct IHostIndexedColours : IUnknown {
  // Slot 3
  virtual HRESULT STDMETHODCALLTYPE GetIndexedColour(int32_t index, COLORREF* colour) = 0;
};
