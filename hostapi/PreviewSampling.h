// Host sampling control for previews: a preview samples live data through it into an online
// sink that a recorded data source makes, and shows that sink instead of the recording.
// Ownership: interfaces passed in are borrowed for the call unless said otherwise; out
// pointers are checked for null, cleared first and filled with one reference for the caller.
#pragma once

#include "hostapi/PaneDataSource.h"
#include "hostapi/QORString.h"

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {11479E23-8AEE-4B33-BE52-0175CA5B95C3}
inline constexpr GUID IID_IHostSamplingControl = {
    0x11479E23, 0x8AEE, 0x4B33, {0xBE, 0x52, 0x01, 0x75, 0xCA, 0x5B, 0x95, 0xC3}};
// {A120D52D-843D-4172-A0D4-C25FF0123584}
inline constexpr GUID IID_IOnlineSinkFactory = {
    0xA120D52D, 0x843D, 0x4172, {0xA0, 0xD4, 0xC2, 0x5F, 0xF0, 0x12, 0x35, 0x84}};

// The host's answer when the user declined to start sampling: not an error to report.
inline constexpr HRESULT kSamplingDeclined = static_cast<HRESULT>(0xA004820Fu);

// Sampling runs in blocks on the host's user-interface thread; every hooked observer records
// each block and tells its own online data sinks before the next message is handled.
struct IHostSamplingControl : IUnknown {
  // Slot 3
  virtual HRESULT STDMETHODCALLTYPE IsSampling(VARIANT_BOOL* sampling) = 0;
  // Slot 4: gets a run ready; the arguments are the caller's (previews pass 0, 0x80000000, 1).
  virtual HRESULT STDMETHODCALLTYPE Prepare(int32_t a, uint32_t b, int32_t c) = 0;
  // Slot 5: whether a run may start now, and the host's text about it (the reason when it may
  // not; may be empty).
  virtual HRESULT STDMETHODCALLTYPE GetStartText(QOR::IQORString** text, VARIANT_BOOL* mayStart) = 0;
  // Slot 6: starts a run at startTime seconds; text is the start text (may be null). S_FALSE
  // while already sampling.
  virtual HRESULT STDMETHODCALLTYPE Start(double startTime, QOR::IQORString* text) = 0;
  // Slot 7: stops the run (flag 0); S_FALSE when none runs.
  virtual HRESULT STDMETHODCALLTYPE Stop(int32_t flag) = 0;
  // Slots 8, 9: an online sink's observer (reached by QueryInterface from the sink) records
  // what is sampled from now on, or no longer. Hook holds one reference until Unhook; hooking
  // twice keeps one entry (S_FALSE); unhooking one not hooked answers S_FALSE.
  virtual HRESULT STDMETHODCALLTYPE Hook(IUnknown* observer) = 0;
  virtual HRESULT STDMETHODCALLTYPE Unhook(IUnknown* observer) = 0;
};

// {61E90691-D087-4454-A234-A132834C7D1C}
inline constexpr GUID IID_IPreviewDataProvider = {
    0x61E90691, 0xD087, 0x4454, {0xA2, 0x34, 0xA1, 0x32, 0x83, 0x4C, 0x7D, 0x1C}};

// Reached by QueryInterface from a data file: the data a preview window shows.
struct IPreviewDataProvider : IUnknown {
  // Slot 3: a new data source over the file's recording for a preview pane (flags: previews
  // pass 0xC0000000); it also makes the preview's online sinks (IOnlineSinkFactory).
  virtual HRESULT STDMETHODCALLTYPE GetPreviewData(uint32_t flags, IPaneDataSource** data) = 0;
};

// {C94930C2-3FF1-43AE-97D0-0E6C62D1527F}
inline constexpr GUID IID_IHostSamplingProvider = {
    0xC94930C2, 0x3FF1, 0x43AE, {0x97, 0xD0, 0x0E, 0x6C, 0x62, 0xD1, 0x52, 0x7F}};

// Reached by QueryInterface from a host document that can sample.
struct IHostSamplingProvider : IUnknown {
  // Slot 3: VARIANT_TRUE while the device is held by something else (which is 0).
  virtual HRESULT STDMETHODCALLTYPE IsDeviceBusy(int32_t which, VARIANT_BOOL* busy) = 0;
  // Slot 4: the devices the host can sample from (which is 0).
  virtual HRESULT STDMETHODCALLTYPE GetDeviceCount(int32_t which, int32_t* count) = 0;
  // Slot 5: the sampling control (one reference for the caller).
  virtual HRESULT STDMETHODCALLTYPE GetSamplingControl(IHostSamplingControl** control) = 0;
};

// Reached by QueryInterface from a recorded data source.
struct IOnlineSinkFactory : IUnknown {
  // Slot 3: a new, empty data source of the recorded data's channels that records what is
  // sampled into it; the caller shows it in a pane and hooks it to the sampling control as its
  // observer.
  virtual HRESULT STDMETHODCALLTYPE CreateOnlineSink(IPaneDataSource** sink) = 0;
};
