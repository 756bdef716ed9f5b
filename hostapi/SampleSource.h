// Host channel sample source: one channel of one record read as float samples, and the time base of ticks.
// Ownership: out-parameters are checked for null (E_POINTER) and filled by the callee; the caller owns the
// buffer it passes to Read.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// The tick period of a source: numerator / denominator seconds per tick, and the time of tick 0 in seconds.
// A source that cannot say answers 1, 1, 0.0.
struct TimeBase {
  int64_t numerator = 1;
  int64_t denominator = 1;
  double offset = 0.0;
};

// {4236EDC0-23A0-11D3-80CA-00A0C9E26433}
inline constexpr GUID IID_ISampleSource = {
    0x4236EDC0, 0x23A0, 0x11D3, {0x80, 0xCA, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};

// A cursor over the samples of one channel in one record; ticks count from 0 at the record start.
// Every source object keeps its own position.
struct ISampleSource : IUnknown {
  // Slot 3: moves the position to tick (clamped to [0, end of the data]).
  virtual HRESULT STDMETHODCALLTYPE Seek(int32_t tick) = 0;
  // Slot 4: not used by the module; answers E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  // Slot 5: the tick of the next sample Read returns.
  virtual HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) = 0;
  // Slot 6: not used by the module; answers E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  // Slot 7
  virtual HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) = 0;
  // Slot 8: reads up to count samples from the position into buffer and advances by the number read.
  // S_OK with *read 0 while the record still grows and has no new sample yet; S_FALSE with *read 0 at the
  // end of a complete record; E_INVALIDARG for a negative count.
  virtual HRESULT STDMETHODCALLTYPE Read(int32_t count, float* buffer, int32_t* read) = 0;
};
