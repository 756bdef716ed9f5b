// Host channel calculations of modules: the calculation a module offers on a channel, its class
// objects, and the engine the host lends it to produce the channel's samples.
// Ownership: out-parameters are checked for null, cleared and filled by the callee with one
// reference for the caller; strings and interfaces passed in are borrowed for the call.
#pragma once

#include "hostapi/HostCalculation.h"
#include "hostapi/LumoClassObject.h"

#include <unknwn.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace QOR {
struct IQORString;
}
struct IHostTextStore;

// Category of the calculation classes and of their settings classes.
// {5388E470-F2ED-11D2-809C-00A0C9E26433}
inline constexpr GUID ChanCalcCategoryGUID = {
    0x5388E470, 0xF2ED, 0x11D2, {0x80, 0x9C, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};
// {E058F3B0-DCE3-11D3-80E8-00A0C9E26433}
inline constexpr GUID ChanCalcSettingsCategoryGUID = {
    0xE058F3B0, 0xDCE3, 0x11D3, {0x80, 0xE8, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};

// {4B0E4BC0-0DBD-11D3-B870-008048C36FE8}: a host object class; its number 11 is the message a
// module sends (through its document) to switch the calculation of a channel off: the first
// word of the message's data is the channel.
inline constexpr GUID kHostAuxClassGuid = {
    0x4B0E4BC0, 0x0DBD, 0x11D3, {0xB8, 0x70, 0x00, 0x80, 0x48, 0xC3, 0x6F, 0xE8}};
inline constexpr uint16_t kCalcOffMessageNumber = 11;

// The object factory's engine type: (class index of kHostUiClassGuid << 16) | this number.
inline constexpr uint16_t kChannelCalcEngineNumber = 17;

// The output format of a calculated channel: value = scale * (raw + offset), raw 16-bit.
struct ChannelCalcFormat {
  double scale;
  double offset;
  float upperLimit;
  float lowerLimit;
  int32_t decimalPlaces;
  int32_t unitPrefixIndex;  // 1: no prefix
  uint16_t reserved;
};
static_assert(offsetof(ChannelCalcFormat, upperLimit) == 16 && offsetof(ChannelCalcFormat, reserved) == 32);

// One source of a calculation's formula: the host object it reads and two request words.
struct CCalcEnumSourceInfo {
  uint32_t object;
  uint32_t request;
  uint32_t flags;
};
static_assert(sizeof(CCalcEnumSourceInfo) == 12);

// {3AAE4790-6DF9-11D2-81EF-00C0DFE13362}
inline constexpr GUID IID_IPersistClassObject = {
    0x3AAE4790, 0x6DF9, 0x11D2, {0x81, 0xEF, 0x00, 0xC0, 0xDF, 0xE1, 0x33, 0x62}};
// The generic class-object interface that IPersistClassObject extends (slots 0-7).
// {5FCB46F0-0B1D-11D2-B325-008048C36FE8}
inline constexpr GUID kGenericClassObjectIid = {
    0x5FCB46F0, 0x0B1D, 0x11D2, {0xB3, 0x25, 0x00, 0x80, 0x48, 0xC3, 0x6F, 0xE8}};
// Slots 0-6 are those of ILumoClassObject.
struct IPersistClassObject : ILumoClassObject {
  // Slot 7: a new object with default values asked for iid; outer is not used.
  virtual HRESULT STDMETHODCALLTYPE CreateObject(IUnknown* outer, REFIID iid, void** object) = 0;
  // Slot 8: a new object loaded from the store; the object is handed out also when the load
  // failed, and the load's result answered.
  virtual HRESULT STDMETHODCALLTYPE CreateAndLoad(IUnknown* outer, IHostTextStore* store,
                                                  IPersistObject** object) = 0;
};

// {8FC37F01-9357-11D4-8112-00A0C9E26433}
inline constexpr GUID IID_IChannelCalc = {
    0x8FC37F01, 0x9357, 0x11D4, {0x81, 0x12, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};

// The host's time base of a calculated channel: numerator / denominator ticks, plus offset.
struct ChannelCalcTimeBase {
  int64_t numerator;
  int64_t denominator;
  double offset;
};

struct IChannelCalc : IUnknown {
  // Slot 3: makes the output source the host reads the samples from.
  virtual HRESULT STDMETHODCALLTYPE Setup(int32_t selector, uint32_t unused1, uint32_t unused2,
                                          IUnknown** outputSource, ChannelCalcTimeBase* timeBase,
                                          int32_t secondSelector, uint32_t* word) = 0;
  // Slot 4: takes new settings (copied) and rebuilds the calculation from them.
  virtual HRESULT STDMETHODCALLTYPE ApplySettings(IPersistObject* settings, uint32_t unused) = 0;
  // Slot 5: takes the settings object (borrowed) that the calculation runs with; reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE TakeSettings(uint32_t reserved, IPersistObject* settings) = 0;
  // Slot 6: a copy of the settings in use.
  virtual HRESULT STDMETHODCALLTYPE GetSettings(IPersistObject** settings) = 0;
  // Slot 7
  virtual HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) = 0;
  // Slot 8: reserved; clears the out pointer.
  virtual HRESULT STDMETHODCALLTYPE Reserved8(uint32_t, void** out) = 0;
  // Slot 9: the channel's title.
  virtual HRESULT STDMETHODCALLTYPE GetTitle(uint32_t unused, QOR::IQORString** title) = 0;
  // Slot 10: reserved; S_OK.
  virtual HRESULT STDMETHODCALLTYPE Reserved10(uint32_t) = 0;
};

// {4021A447-7899-11D4-8110-00A0C9E26433}
inline constexpr GUID IID_IHostChannelCalcEngine = {
    0x4021A447, 0x7899, 0x11D4, {0x81, 0x10, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};
// The engine the host lends a calculation (aggregated by it): it runs the formula's events and
// holds each event's value as the channel's samples until the next event.
struct IHostChannelCalcEngine : IUnknown {
  // Slot 3: the formula's sources; word (may be null) receives the host's answer word.
  virtual HRESULT STDMETHODCALLTYPE SetSources(int32_t count, const CCalcEnumSourceInfo* sources,
                                               uint32_t* word) = 0;
  // Slot 4: the formula text whose events give the values; word is in and out.
  virtual HRESULT STDMETHODCALLTYPE SetFormula(QOR::IQORString* formula, uint32_t* word) = 0;
  // Slot 5: the enumerator made for the calculation, with who made it and for which channel.
  virtual HRESULT STDMETHODCALLTYPE SetEnumerator(ICalculationClass* calculationClass, int32_t channel,
                                                  uint32_t furtherValue, IHostDataDocument* context,
                                                  IUnknown* enumerator) = 0;
  // Slot 6: evaluates the formula over the ticks from (startRecord, startTick) to (endRecord,
  // endTick) of the host document's data, end not included (a record past the last means to
  // the data's end); *top and *bottom receive the largest and smallest value found and stay as
  // they were when there is none. flags 0x80000000: the host samples into the document.
  virtual HRESULT STDMETHODCALLTYPE Prepare(IUnknown* hostDocument, int32_t startRecord, int32_t startTick,
                                            int32_t endRecord, int32_t endTick, float* top, float* bottom,
                                            uint32_t flags) = 0;
  // Slot 7: lets go of what Prepare read.
  virtual HRESULT STDMETHODCALLTYPE Finish() = 0;
};

// {4021A446-7899-11D4-8110-00A0C9E26433}
inline constexpr GUID IID_IHostChannelCalcEngine2 = {
    0x4021A446, 0x7899, 0x11D4, {0x81, 0x10, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};
// What the context's Apply takes from the engine: the samples of the calculated channel.
struct IHostChannelCalcEngine2 : IUnknown {
  // Slot 3: the channel's raw 16-bit samples of ticks [startTick, startTick + count) of record in
  // the output format (a ChannelCalcFormat) of the calculation's output source; each event's
  // value is held from its tick to the next event, raw 0 before the record's first event.
  virtual HRESULT STDMETHODCALLTYPE ReadRaw(int32_t record, int32_t startTick, int32_t count,
                                            const void* format, int16_t* samples) = 0;
};
