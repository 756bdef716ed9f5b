// Host recording view cursor: the object of a host document's recording view that moves the view
// to a time. Reached through the host document's child list (IHostChildDocumentList) as its
// object of type (kHostUiClassGuid, kViewCursorClassNumber), then by QueryInterface.
// Ownership: nothing is handed out.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

inline constexpr uint16_t kViewCursorClassNumber = 2;

// {E99E1950-6188-11D3-80B1-005004AD3C53}
inline constexpr GUID IID_IHostViewCursor = {
    0xE99E1950, 0x6188, 0x11D3, {0x80, 0xB1, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};

struct IHostViewCursor : IUnknown {
  // Slot 3: the view shows the time (seconds from the start of the recording, as the data file's
  // GetPositionTime gives it); show 1 puts the cursor there too. E_INVALIDARG for a time that
  // is not finite.
  virtual HRESULT STDMETHODCALLTYPE MoveToTime(double seconds, int32_t show) = 0;
};
