// Host data sampling: a data source that serves a record's channel samples, and the sampling
// sink of a document that records them as if the host were sampling.
// Ownership: interfaces passed in are borrowed for the call (the sink keeps the channel readers
// a source hands it, never the source itself); out-parameters are checked for null and filled by the callee with one reference for the caller.
#pragma once

#include "hostapi/QORString.h"
#include "hostapi/SampleSource.h"

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// A period as numerator / denominator seconds, reduced, the sign on the numerator.
struct HostRational64 {
  int64_t numerator;
  int64_t denominator;
};
static_assert(sizeof(HostRational64) == 16, "a rational is two 64-bit words");

// {53E49452-8EE6-11D2-8211-00C0DFE13362}
inline constexpr GUID IID_IScrivoDataSource = {
    0x53E49452, 0x8EE6, 0x11D2, {0x82, 0x11, 0x00, 0xC0, 0xDF, 0xE1, 0x33, 0x62}};
// {53E49453-8EE6-11D2-8211-00C0DFE13362}
inline constexpr GUID IID_IScrivoDataSink = {
    0x53E49453, 0x8EE6, 0x11D2, {0x82, 0x11, 0x00, 0xC0, 0xDF, 0xE1, 0x33, 0x62}};
// {B8B7A576-8192-47D1-BCC0-545E6965E508}
inline constexpr GUID IID_IHostSamplingTarget = {
    0xB8B7A576, 0x8192, 0x47D1, {0xBC, 0xC0, 0x54, 0x5E, 0x69, 0x65, 0xE5, 0x08}};

// The flags a data source declares its channels with: sampled, one value per sample period.
inline constexpr uint32_t kDeclareChannelSampled = 0x80020003u;

// Where the samples of a sampled record come from.
struct IScrivoDataSource : IUnknown {
  // Slot 3: not used by this host; sources answer E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE Reserved3(int32_t a, int32_t b, void* c) = 0;
  // Slot 4: the samples of one channel from the record's first sample, at the channel's own
  // sample period; reserved is ignored.
  virtual HRESULT STDMETHODCALLTYPE Open(int32_t reserved, int32_t channel, ISampleSource** source) = 0;
  // Slot 5: not used by this host; sources answer E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE Reserved5(int32_t a, int32_t b, int32_t c, void* d) = 0;
  // Slot 6: the same answer as GetLength (an older entry kept in the table).
  virtual HRESULT STDMETHODCALLTYPE GetLengthEntry(int64_t* ticks) = 0;
  // Slot 7: the ticks per record the source serves.
  virtual HRESULT STDMETHODCALLTYPE GetLength(int64_t* ticks) = 0;
};

// Reached by QueryInterface from a document the host can sample into; asked in turn for the
// document's sampling sink (IScrivoDataSink).
struct IHostSamplingTarget : IUnknown {};

// A document's sampling sink. Per run the caller declares every channel, asks whether sampling
// may start, starts it, and per record calls StartRecord, NewData any number of times and
// EndRecord, then StopSampling. The document's online-data sinks hear of each step, in their
// registration order, before the call returns. A call out of that order answers E_UNEXPECTED.
struct IScrivoDataSink : IUnknown {
  // Slot 3: channel (from 0), whether it is switched on (0 or 1, and as a VARIANT_BOOL), its
  // units object, its sample period, the document's tick period, kDeclareChannelSampled and
  // the source of its samples. E_INVALIDARG for a negative channel or a period that is not
  // above 0.
  virtual HRESULT STDMETHODCALLTYPE DeclareChannel(int32_t channel, int32_t on, VARIANT_BOOL onFlag,
                                                   IUnknown* unit, HostRational64 channelPeriod,
                                                   const HostRational64* tickPeriod, uint32_t flags,
                                                   IScrivoDataSource* source) = 0;
  // Slot 4: VARIANT_TRUE when sampling may start; otherwise the reason in *reason.
  virtual HRESULT STDMETHODCALLTYPE MaySamplingStart(QOR::IQORString** reason, VARIANT_BOOL* may) = 0;
  // Slot 5: reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE StartSampling(int32_t reserved) = 0;
  // Slot 6: a new record at tickPeriod seconds per tick; the sink opens every declared channel
  // that is on through source (E_POINTER for null). startTime is the
  // recording's clock time in seconds; recordFlag is kept with the record; sampled is VARIANT_FALSE for
  // a record the online sinks are not to analyse (normally VARIANT_TRUE). The other arguments
  // are reserved (0, 0.0, 0, 0).
  virtual HRESULT STDMETHODCALLTYPE StartRecord(int32_t reserved, IScrivoDataSource* source,
                                                double tickPeriod, double startTime, double reserved2,
                                                int32_t reserved3, int32_t reserved4,
                                                uint32_t recordFlag, VARIANT_BOOL sampled) = 0;
  // Slot 7: ticks more are ready in the source; the sink reads them from every channel.
  virtual HRESULT STDMETHODCALLTYPE NewData(int32_t ticks) = 0;
  // Slot 8: the record is complete; *ticks receives its length. reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE EndRecord(int32_t reserved, int32_t* ticks) = 0;
  // Slot 9: ends sampling (a record still open is ended first); reserved is VARIANT_TRUE.
  virtual HRESULT STDMETHODCALLTYPE StopSampling(VARIANT_BOOL reserved) = 0;
};
