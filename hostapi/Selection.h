// Host selection of a data document: a range of the recording and a selected channel.
// Ownership: out-parameters are checked for null (E_POINTER) and filled by the callee.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// The host's own interface id (chosen by this host): {4C4E7686-6AFA-44D3-B668-B26F65247A45}
inline constexpr GUID IID_IHostSelection = {
    0x4C4E7686, 0x6AFA, 0x44D3, {0xB6, 0x68, 0xB2, 0x6F, 0x65, 0x24, 0x7A, 0x45}};

// A position in the recording: a tick of a record.
struct HostPosition {
  int32_t record;
  int32_t tick;
};

// The range runs from start up to, not including, end; it may span records.
struct IHostSelection : IUnknown {
  // Slot 3: S_FALSE with both positions (-1, -1) when nothing is selected.
  virtual HRESULT STDMETHODCALLTYPE GetRange(HostPosition* start, HostPosition* end) = 0;
  // Slot 4: E_INVALIDARG when end lies before start or outside the recording.
  virtual HRESULT STDMETHODCALLTYPE SetRange(HostPosition start, HostPosition end) = 0;
  // Slot 5
  virtual HRESULT STDMETHODCALLTYPE Clear() = 0;
  // Slot 6: selects a channel and the value span shown for it (high above low).
  virtual HRESULT STDMETHODCALLTYPE SelectChannel(int32_t channel, double high, double low) = 0;
  // Slot 7: the selected channel, -1 when none.
  virtual HRESULT STDMETHODCALLTYPE GetSelectedChannel(int32_t* channel) = 0;
};
