// Host online-data service of a data file and the sink it calls while sampling.
// Ownership: the service holds one reference on a registered sink until it is unregistered;
// out-parameters are checked for null and filled by the callee.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {91BC9AF0-D20B-11D3-80E8-00A0C9E26433}
inline constexpr GUID IID_IOnlineDataService = {
    0x91BC9AF0, 0xD20B, 0x11D3, {0x80, 0xE8, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};
// {C4AEA2A0-0F3D-11D4-80F2-00A0C9E26433}
inline constexpr GUID IID_IOnlineDataSink = {
    0xC4AEA2A0, 0x0F3D, 0x11D4, {0x80, 0xF2, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};

// Told by the host, on its user-interface thread, how sampling proceeds. Per sampling run the
// host calls, in this order: OnSamplingStart; for every record OnRecordStart, any number of
// OnNewData, OnRecordEnd; then OnSamplingStop. Sinks are called in the order they registered.
struct IOnlineDataSink : IUnknown {
  // Slot 3: what the sink wants to hear of: option bits and a channel mask (0xFFFF all).
  virtual HRESULT STDMETHODCALLTYPE GetSinkInfo(uint32_t* options, uint16_t* channelMask) = 0;
  // Slot 4
  virtual HRESULT STDMETHODCALLTYPE OnSamplingStart() = 0;
  // Slot 5: record is the index of the record sampling writes (the record count before it);
  // sampled is VARIANT_FALSE for a record the host keeps without sampling it (no new data is
  // meant for analysis then).
  virtual HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t record, VARIANT_BOOL sampled) = 0;
  // Slot 6: the record now holds tickCount ticks (every channel up to that tick).
  virtual HRESULT STDMETHODCALLTYPE OnNewData(int32_t record, int32_t tickCount) = 0;
  // Slot 7: the record is complete with tickCount ticks.
  virtual HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t record, int32_t tickCount) = 0;
  // Slot 8
  virtual HRESULT STDMETHODCALLTYPE OnSamplingStop() = 0;
  // Slot 9: a notification of two words for the sink (their meaning is the host's); this host
  // never sends it. Sinks answer S_OK.
  virtual HRESULT STDMETHODCALLTYPE SinkNotify(int32_t a, int32_t b) = 0;
  // Slots 10-12: notifications this host never sends; sinks answer S_OK (12) or E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  // Slot 13: the sink's priority (0 normal); this host calls sinks in registration order.
  virtual HRESULT STDMETHODCALLTYPE GetPriority(int32_t* priority) = 0;
  // Slot 14: how much of each new block the sink wants to see, in percent (100 all).
  virtual HRESULT STDMETHODCALLTYPE GetUpdatePercent(int32_t* percent) = 0;
  // Slot 15: the deleting destructor; the host never calls it.
  virtual void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) = 0;
};

// Reached by QueryInterface from the host data file or data document.
struct IOnlineDataService : IUnknown {
  // Slot 3: E_POINTER for null; registering a sink twice keeps one entry (S_FALSE).
  virtual HRESULT STDMETHODCALLTYPE RegisterSink(IOnlineDataSink* sink) = 0;
  // Slot 4: S_FALSE when the sink was not registered.
  virtual HRESULT STDMETHODCALLTYPE UnregisterSink(IOnlineDataSink* sink) = 0;
};
