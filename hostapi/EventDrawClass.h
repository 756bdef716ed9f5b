// Host recording view: the event draw classes it asks for the colour and tooltip of an event.
// Ownership: the record is borrowed for the call; a string handed out carries one reference.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace QOR {
struct IQORString;
}

// {2DE99796-4D8F-4666-97C0-4F6F7203229E}
inline constexpr GUID IID_IPODEventDrawClass = {
    0x2DE99796, 0x4D8F, 0x4666, {0x97, 0xC0, 0x4F, 0x6F, 0x72, 0x03, 0x22, 0x9E}};

// Registered with the class registry under the type id the event source reports.
struct IPODEventDrawClass : IUnknown {
  // Slot 3: E_FAIL for a null record (colour untouched).
  virtual HRESULT STDMETHODCALLTYPE GetColour(uint32_t reserved, const void* record,
                                              COLORREF* colour) = 0;
  // Slot 4: hostData and recordIndex locate the event's record; E_FAIL for a null record.
  virtual HRESULT STDMETHODCALLTYPE GetTooltip(uint32_t reserved, IUnknown* hostData,
                                               int32_t recordIndex, const void* record,
                                               double secondsPerTick,
                                               QOR::IQORString** text) = 0;
};
