// Host data document: the records of a recording, their channels, tick periods and samples.
// Ownership: out-parameters are checked for null (E_POINTER), cleared first and filled last;
// interfaces handed out carry one reference and BSTRs are the caller's to free (SysFreeString).
#pragma once

#include "hostapi/Selection.h"

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

namespace QOR {
struct IQORString;
}

// {C2406F50-F163-11D2-8098-00A0C9E26433}
inline constexpr GUID IID_IHostDataDocument = {
    0xC2406F50, 0xF163, 0x11D2, {0x80, 0x98, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};

// Request flags of GetChannelSource and GetChannelTickPeriod. Exactly one of the first three
// says what is read; the last two may be or'ed in.
// The channel's calculated values (a channel written "vchN"): for a calculation whose formula
// yields events, an enumerator of those events; for one that yields samples, those samples. A
// channel without a calculation of its own reads the enumerator formula stored on the data object
// of id N-1 (hostapi/DataObjects.h): the calculated channels a module adds are numbered by the
// objects it makes for them.
inline constexpr uint32_t kChannelRequestCalculated = 0x00000004u;
// The recorded samples beneath a channel, ignoring any calculation on it ("rchN").
inline constexpr uint32_t kChannelRequestRecorded = 0x00000001u;
// What the channel shows: its calculation's samples when it has one, else its recording ("chN").
inline constexpr uint32_t kChannelRequestDisplayed = 0x40000000u;
// The record may still grow while the host samples: the source reports the end of the data
// sampled so far and reads on when more arrives.
inline constexpr uint32_t kChannelRequestGrowing = 0x80000000u;
// The caller wants a source object it reads from (rather than a description of the channel).
inline constexpr uint32_t kChannelRequestSource = 0x00001000u;

// Record indices count from 0; ticks count from 0 at the start of each record.
struct IHostDataDocument : IUnknown {
  // Slot 3: the number of records; while sampling, also the index of the record being written.
  virtual HRESULT STDMETHODCALLTYPE GetRecordCount(int32_t* count) = 0;
  // Slot 4: the ticks the record holds now (it grows while sampling); E_INVALIDARG for a record
  // that does not exist.
  virtual HRESULT STDMETHODCALLTYPE GetRecordLength(int32_t record, int32_t* ticks) = 0;
  // Slot 5: the end of the data: the last record holding data and the tick one past its last
  // sample. channelMask 0x80000000 asks for all channels. S_FALSE and (-1, 0) when empty.
  virtual HRESULT STDMETHODCALLTYPE GetDataEnd(uint32_t channelMask, int32_t* record,
                                               int32_t* tick) = 0;
  // Slot 6: the record's tick period in seconds; reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE GetRecordTickPeriod(int32_t reserved, int32_t record,
                                                        double* seconds) = 0;
  // Slot 7: the tick period in seconds of what a request (flags as GetChannelSource, the last
  // two not needed) reads of the channel in the record.
  virtual HRESULT STDMETHODCALLTYPE GetChannelTickPeriod(int32_t channel, uint32_t flags,
                                                         int32_t record, double* seconds) = 0;
  // Slot 8
  virtual HRESULT STDMETHODCALLTYPE GetChannelCount(int32_t* count) = 0;
  // Slot 9: a new source for what flags asks of the channel in the record, positioned at
  // startTick and ending at endTick (0x7FFFFFFF: the record's end). Every call makes a new source
  // with its own position. The source answers the host sample source interface, or, for the
  // events of a calculated channel, ICalcEnum and IEnumEventEx. E_INVALIDARG for a channel or
  // record that does not exist; S_FALSE and null when the request has nothing (an "r" request on
  // a channel without a recording, a "v" request on a channel without a calculation).
  virtual HRESULT STDMETHODCALLTYPE GetChannelSource(int32_t channel, uint32_t flags,
                                                     int32_t record, int32_t startTick,
                                                     int32_t endTick, IUnknown** source) = 0;
  // Slot 10: the channel's title (e.g. "Vm"); record may be 0x7FFFFFFE for the title of the
  // channel as a whole; flags as GetChannelSource.
  virtual HRESULT STDMETHODCALLTYPE GetChannelTitle(int32_t channel, int32_t record, uint32_t flags,
                                                    BSTR* title) = 0;
  // Slot 11: the channel's units (e.g. "mV", empty when none); record -2 for the channel as a
  // whole; flags as GetChannelSource.
  virtual HRESULT STDMETHODCALLTYPE GetChannelUnits(int32_t channel, int32_t record, uint32_t flags,
                                                    BSTR* units) = 0;
  // Slot 12: the channel's description as the host lists it (e.g. "Vm [mV]"; a calculated
  // channel's with its formula).
  virtual HRESULT STDMETHODCALLTYPE GetChannelDescription(int32_t channel, BSTR* description) = 0;
  // Slot 13: the document's selection (the same object for the life of the document).
  virtual HRESULT STDMETHODCALLTYPE GetSelection(IHostSelection** selection) = 0;
  // Slot 14: VARIANT_TRUE while the host samples into the document; reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE GetSamplingState(int32_t reserved, VARIANT_BOOL* sampling) = 0;
  // Slots 15-17: the document as the context of a module's channel calculation.
  // Slot 15: the data object the calculation reads (the data file, IHostDataFile).
  virtual HRESULT STDMETHODCALLTYPE GetDataObject(IUnknown** dataObject) = 0;
  // Slot 16: a new output source of a calculated channel in the format (a ChannelCalcFormat,
  // hostapi/ChannelCalc.h) with the unit text; reserved1 and reserved2 are 0.
  virtual HRESULT STDMETHODCALLTYPE CreateOutput(const void* format, QOR::IQORString* units,
                                                 uint32_t reserved1, uint32_t reserved2,
                                                 IUnknown** outputSource) = 0;
  // Slot 17: puts the engine's samples (an IHostChannelCalcEngine2, or null to clear) on the
  // channel; flags as GetChannelSource.
  virtual HRESULT STDMETHODCALLTYPE Apply(int32_t channel, uint32_t furtherValue, uint32_t flags,
                                          IUnknown* engine) = 0;
};
