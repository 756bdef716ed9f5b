// Host data file: the file behind a data document and the child data it keeps for modules.
// Ownership: out-parameters are checked for null (E_POINTER), cleared first and filled last;
// interfaces handed out carry one reference for the caller.
#pragma once

#include "hostapi/ChildData.h"
#include "hostapi/QORString.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {2BC6F321-B62F-11D2-8227-00C0DFE13362}
inline constexpr GUID IID_IHostDataFile = {
    0x2BC6F321, 0xB62F, 0x11D2, {0x82, 0x27, 0x00, 0xC0, 0xDF, 0xE1, 0x33, 0x62}};

// FormatTime flags.
inline constexpr uint32_t kTimeTextElapsed = 0x00200000u;
inline constexpr uint32_t kTimeTextClock = 0x00C00000u;

// The data file, its data document (IHostDataDocument) and its online-data service
// (IOnlineDataService) are one host object: QueryInterface moves between them. This is the
// data context the host hands to enumerator classes.
struct IHostDataFile : IUnknown {
  // Slot 3: the child the file keeps with that type id; S_FALSE and null when it has none.
  // reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE FindChildData(int32_t reserved, uint32_t typeId,
                                                  IScrivoDataChildData** child) = 0;
  // Slot 4: the file keeps the child (one reference) until it closes; E_INVALIDARG when it
  // already keeps a child of the same type id. reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE AddChildData(int32_t reserved, IScrivoDataChildData* child) = 0;
  // Slot 5: the host's time of a position in seconds from the start of the recording (each
  // record's length times its tick period counts before it). E_INVALIDARG for a record that
  // does not exist or a negative tick.
  virtual HRESULT STDMETHODCALLTYPE GetPositionTime(int32_t record, int32_t tick, double* seconds) = 0;
  // Slot 6: the text of a time as the host shows it. flags: kTimeTextElapsed writes seconds
  // from the start of the recording, kTimeTextClock the clock time of day (the recording's start
  // time plus the seconds); other bits are the host's. displayMode is the host's (1 default).
  virtual HRESULT STDMETHODCALLTYPE FormatTime(double seconds, uint32_t flags, int32_t displayMode,
                                               QOR::IQORString** text) = 0;
  // Slot 7: the index of the record sampling writes now; E_UNEXPECTED while no record is being
  // sampled.
  virtual HRESULT STDMETHODCALLTYPE GetSampledRecord(int32_t* record) = 0;
  // Slot 8: two channel sets as bit masks (bit n: channel n, channels below 32): in *dependents
  // the channels calculated from channel, directly or through other calculated channels; in
  // *second the host's other set (0 here). reserved is 0, flags and follow are the host's
  // (0xC0000000, VARIANT_TRUE). E_INVALIDARG for a channel that does not exist.
  virtual HRESULT STDMETHODCALLTYPE GetChannelDependents(int32_t reserved, int32_t channel, uint32_t flags,
                                                         VARIANT_BOOL follow, uint32_t* dependents,
                                                         uint32_t* second) = 0;
  // Slot 9: makes the data the two selectors name the file's current selection for a calculated
  // channel about to be read; reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE Select(int32_t reserved, int32_t selector, int32_t secondSelector) = 0;
};
