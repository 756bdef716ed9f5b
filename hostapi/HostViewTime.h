// Host view's current time: where the host's recording view stands (its cursor), as a tick
// position.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {39138841-3892-11D2-B795-008048C36FE8}
inline constexpr GUID IID_IHostViewTime = {
    0x39138841, 0x3892, 0x11D2, {0xB7, 0x95, 0x00, 0x80, 0x48, 0xC3, 0x6F, 0xE8}};

struct IHostViewTime : IUnknown {
  // Slot 3: the record and tick (with its fraction) of the view's current time; S_FALSE when the
  // view shows no time.
  virtual HRESULT STDMETHODCALLTYPE GetViewTime(int32_t* record, double* tick) = 0;
};
