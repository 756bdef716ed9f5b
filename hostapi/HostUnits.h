// Host units service and units objects: the measurement units (a base unit text with an SI prefix) that the
// host attaches to channels and values. The ids below are the host's own.
// Ownership: a units object handed out through an out pointer carries one reference for the caller; the
// service itself lives for the process and is held without a reference.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "hostapi/QORString.h"

// The class registry's service id of the units service (its slot 5 with IID_IHostUnitsService).
inline constexpr uint32_t kUnitsServiceId = 0x80000009u;

// {0A0DCBE2-0784-44C6-9C09-2AA18D0E7AD9}
inline constexpr GUID IID_IHostUnitsService = {
    0x0A0DCBE2, 0x0784, 0x44C6, {0x9C, 0x09, 0x2A, 0xA1, 0x8D, 0x0E, 0x7A, 0xD9}};
// {593F021D-0D72-4177-963D-985728F9FF1D}
inline constexpr GUID IID_IHostUnit = {
    0x593F021D, 0x0D72, 0x4177, {0x96, 0x3D, 0x98, 0x57, 0x28, 0xF9, 0xFF, 0x1D}};

// Prefix indexes of the units service: 1 (and 8) no prefix, 2 a, 3 f, 4 p, 5 n, 6 micro, 7 m, 9 k, 10 M,
// 11 G; any other index gives no prefix.
inline constexpr int32_t kUnitPrefixNone = 1;

// The value range a units object keeps for a channel, as the host lays it out: scale and offset of the stored
// values, the largest and smallest value the channel holds (+infinity and -infinity for no bound), and three
// words the host sets to 2, 1 and 0.
struct HostChannelRange {
  double scale;
  double offset;
  float maximum;
  float minimum;
  int32_t kind;
  int32_t flags;
  int16_t reserved;
};
static_assert(offsetof(HostChannelRange, maximum) == 16 && offsetof(HostChannelRange, kind) == 24 &&
                  offsetof(HostChannelRange, reserved) == 32,
              "the host's channel range record");

// No bound either way: what a unit made without a range reports.
inline constexpr HostChannelRange kUnboundedChannelRange{1.0, 0.0, HUGE_VALF, -HUGE_VALF, 2, 1, 0};

// A units object.
struct IHostUnit : IUnknown {
  // Slot 3: the unit's text, the prefix letter followed by the base unit ("mV", "?"); the caller frees it.
  virtual HRESULT STDMETHODCALLTYPE GetText(BSTR* text) = 0;
  // Slot 4: the base unit without its prefix ("V"); the caller frees it.
  virtual HRESULT STDMETHODCALLTYPE GetBaseUnit(BSTR* text) = 0;
  // Slot 5: the prefix letter as a UTF-16 unit ('m', the micro sign, 'T'); 0 for none.
  virtual HRESULT STDMETHODCALLTYPE GetPrefix(uint16_t* letter) = 0;
  // Slot 6: the range the unit was made with; S_FALSE and an unbounded range (scale 1, offset 0) when it was
  // made without one.
  virtual HRESULT STDMETHODCALLTYPE GetRange(HostChannelRange* range) = 0;
};

struct IHostUnitsService : IUnknown {
  // Slots 3-15: the host's own unit operations; the module uses none of them.
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0;
  // Slot 16: a new units object (IHostUnit) of the base unit text without prefix, keeping a channel's range;
  // the three reserved values are 0. E_POINTER for a null range, base text or out pointer.
  virtual HRESULT STDMETHODCALLTYPE CreateRangedUnit(int32_t reserved, const HostChannelRange* range,
                                                     QOR::IQORString* baseUnit, int32_t reserved2,
                                                     int32_t reserved3, IUnknown** unit) = 0;
  // Slot 17: a new units object (IHostUnit) of the base unit text with the prefix of prefixIndex; reserved
  // is 0. E_POINTER for a null base text or out pointer.
  virtual HRESULT STDMETHODCALLTYPE CreatePrefixedUnit(int32_t prefixIndex, QOR::IQORString* baseUnit,
                                                       int32_t reserved, IUnknown** unit) = 0;
  // Slot 18: a new units object (IHostUnit) of a units text as the host reads a channel's units: a
  // prefix letter is split off only before a base unit the host knows ("mV" is m and V; "mmHg",
  // "min" and "Pa" are base units without prefix). E_POINTER for a null text or out pointer.
  virtual HRESULT STDMETHODCALLTYPE ReadUnitText(QOR::IQORString* text, IUnknown** unit) = 0;
};
