// A signal formula read as a channel of samples.
#include "host/formula/SignalChannel.h"

#include "host/common/PeriodTimeBase.h"

#include <algorithm>
#include <new>
#include <vector>

namespace host {

void SignalChannel::Load(const std::wstring& text) {
  std::unique_ptr<SignalFormula> signal;
  if (!text.empty()) signal = std::make_unique<SignalFormula>(text);
  mSignal = std::move(signal);
  mPeriod = 0.0;
  mPosition = 0;
}

HRESULT SignalChannel::SetSamplePeriod(double seconds) noexcept {
  if (!(seconds > 0.0)) return E_INVALIDARG;
  mPeriod = seconds;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE SignalChannel::Seek(int32_t tick) noexcept {
  mPosition = std::max<int32_t>(tick, 0);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE SignalChannel::GetPosition(int32_t* tick) noexcept {
  if (!tick) return E_POINTER;
  *tick = mPosition;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE SignalChannel::GetTimeBase(TimeBase* timeBase) noexcept {
  if (!timeBase) return E_POINTER;
  if (!(mPeriod > 0.0)) return E_UNEXPECTED;
  *timeBase = PeriodTimeBase(mPeriod);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE SignalChannel::Read(int32_t count, float* buffer, int32_t* read) noexcept {
  if (!read) return E_POINTER;
  *read = 0;
  if (count < 0) return E_INVALIDARG;
  if (count > 0 && !buffer) return E_POINTER;
  if (!mSignal || !(mPeriod > 0.0)) return E_UNEXPECTED;
  count = std::min(count, INT32_MAX - mPosition);
  try {
    const std::vector<float> values = mSignal->Sample(mPeriod, mPosition, count);
    std::copy(values.begin(), values.end(), buffer);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
  mPosition += count;
  *read = count;
  return S_OK;
}

}  // namespace host
