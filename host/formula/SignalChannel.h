// The samples of a signal formula read as a channel: what the formula enumerator answers as
// ISampleSource when its text is an arithmetic signal rather than an enumerator chain.
#pragma once

#include "host/formula/SignalFormula.h"
#include "hostapi/SampleSource.h"

#include <cstdint>
#include <memory>
#include <string>

namespace host {

// Lives inside its enumerator for the enumerator's whole life, so that a pointer handed out stays
// valid when the enumerator loads other settings: QueryInterface and the count are the owner's.
// The signal has no end: every Read gives the samples asked for, t = tick x sample period from
// the record start.
class SignalChannel final : public ISampleSource {
 public:
  explicit SignalChannel(IUnknown& owner) : mOwner(owner) {}
  SignalChannel(const SignalChannel&) = delete;
  SignalChannel& operator=(const SignalChannel&) = delete;

  // Reads text as the signal (throws FormulaError when it is none), or drops the signal for an
  // empty text. The position goes back to 0 and the period is forgotten.
  void Load(const std::wstring& text);
  bool Loaded() const noexcept { return static_cast<bool>(mSignal); }
  // Seconds between samples; E_INVALIDARG unless above 0.
  HRESULT SetSamplePeriod(double seconds) noexcept;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    return mOwner.QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return mOwner.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return mOwner.Release(); }

  HRESULT STDMETHODCALLTYPE Seek(int32_t tick) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved6() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override;
  // E_FAIL, nothing read, when a value is not a finite float; E_UNEXPECTED without a signal or
  // before a period is set.
  HRESULT STDMETHODCALLTYPE Read(int32_t count, float* buffer, int32_t* read) noexcept override;

 private:
  IUnknown& mOwner;
  std::unique_ptr<SignalFormula> mSignal;
  double mPeriod = 0.0;
  int32_t mPosition = 0;
};

}  // namespace host
