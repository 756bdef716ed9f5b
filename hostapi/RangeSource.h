// Host range source: the part of the recording a channel calculation is set up over.
// Ownership: out-parameters are checked for null (E_POINTER) and filled by the callee.
#pragma once

#include "hostapi/Selection.h"

#include <unknwn.h>
#include <windows.h>

// The host's own interface id (chosen by this host): {9A3E52C4-1B7D-4E86-A2F0-5C8D3B61E947}
inline constexpr GUID IID_IHostRangeSource = {
    0x9A3E52C4, 0x1B7D, 0x4E86, {0xA2, 0xF0, 0x5C, 0x8D, 0x3B, 0x61, 0xE9, 0x47}};

struct IHostRangeSource : IUnknown {
  // Slot 3: the range's start and end (end not included).
  virtual HRESULT STDMETHODCALLTYPE GetRange(HostPosition* start, HostPosition* end) = 0;
};
