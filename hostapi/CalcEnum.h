// Host calculation enumerators: ICalcEnum (settings, sources, time base) and IEnumEventEx (event records).
// Ownership: out-parameters are checked for null (E_POINTER), cleared first and filled last; interfaces and
// strings handed out carry one reference for the caller; interfaces passed in are borrowed for the call
// (SetSources wraps and holds its sources with references of its own).
#pragma once

#include "hostapi/SampleSource.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace QOR {
struct IQORString;
}

// {532954A4-1807-428B-8A2B-8BB7282E74A6}
inline constexpr GUID IID_ICalcEnum = {
    0x532954A4, 0x1807, 0x428B, {0x8A, 0x2B, 0x8B, 0xB7, 0x28, 0x2E, 0x74, 0xA6}};
// {FCC78051-74C0-4E33-BDCA-8BDC0A6FCA9A}
inline constexpr GUID IID_IEnumEventEx = {
    0xFCC78051, 0x74C0, 0x4E33, {0xBD, 0xCA, 0x8B, 0xDC, 0x0A, 0x6F, 0xCA, 0x9A}};

// The tick offset that marks the end of a record's events.
inline constexpr int32_t kEnumRecordEnd = 0x7FFFFFFF;
// SetSources flags: set while the sources are fed as the host samples.
inline constexpr uint32_t kCalcEnumOnline = 0x80000000u;

struct ICalcEnum : IUnknown {
  // Slot 3: the type id of the enumerator's class.
  virtual HRESULT STDMETHODCALLTYPE GetSourceInfo(uint32_t* typeId) = 0;
  // Slot 4: the class object that made the enumerator.
  virtual HRESULT STDMETHODCALLTYPE GetDataSource(IUnknown** classObject) = 0;
  // Slot 5: reads the settings text (numbers with the classic locale); *kind receives 0x40000000.
  virtual HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) = 0;
  // Slot 6
  virtual HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString** text) = 0;
  // Slot 7: a copy with the same settings and position and no sources; reserved may be null.
  virtual HRESULT STDMETHODCALLTYPE Clone(IUnknown* reserved, ICalcEnum** clone) = 0;
  // Slot 8: the sources of record (a channel's sample source first, then a nested enumerator where the
  // class takes one); units: one host units object per source, or null; tickPeriod in seconds; flags bit 31
  // (kCalcEnumOnline) while sampling.
  virtual HRESULT STDMETHODCALLTYPE SetSources(int32_t record, int32_t count, IUnknown** sources,
                                               IUnknown** units, double tickPeriod, uint32_t flags) = 0;
  // Slot 9
  virtual HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) = 0;
  // Slot 10: releases the sources; what was found so far is kept.
  virtual HRESULT STDMETHODCALLTYPE ResetCache() = 0;
  // Slot 11
  virtual HRESULT STDMETHODCALLTYPE GetParamKind(int32_t index, int32_t which, uint32_t* kind) = 0;
  // Slots 12-13: answer S_OK.
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
  // Slot 14: the number given to SetSources and a units object for it.
  virtual HRESULT STDMETHODCALLTYPE GetValueUnits(double* value, IUnknown** units) = 0;
  // Slot 15
  virtual HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t* capabilities) = 0;
  // Slot 16
  virtual HRESULT STDMETHODCALLTYPE GetResultKind(uint32_t* kind) = 0;
  // Slot 17
  virtual HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) = 0;
};

struct IEnumEventEx : IUnknown {
  // Slot 3: copies the records from the position up to endTick into buffer (bufferBytes / record size of
  // them at most). *nextUnexaminedTick <= endTick, or kEnumRecordEnd, which alone comes with S_FALSE.
  virtual HRESULT STDMETHODCALLTYPE Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,
                                         int32_t* nextUnexaminedTick) = 0;
  // Slot 4: the first event in [max(tick, start), end) forward, or the last one in [start, tick) backward;
  // S_OK when found (the next Next returns it first), else S_FALSE.
  virtual HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) = 0;
  // Slot 5
  virtual HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) = 0;
  // Slot 6: E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE Reserved6(void** out) = 0;
  // Slot 7
  virtual HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx** clone) = 0;
  // Slot 8: bytes per record.
  virtual HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) = 0;
  // Slot 9: the type id of the records' draw class.
  virtual HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) = 0;
  // Slot 10: E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE Reserved10(void** out) = 0;
  // Slot 11
  virtual HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) = 0;
};
