// The sampling sink of the stand-in data document.
#include "host/data/SamplingSinkPart.h"

#include "host/common/HostString.h"
#include "host/data/DataDocument.h"
#include "host/data/Sampler.h"
#include "hostapi/HostUnits.h"

#include <oleauto.h>

#include <cmath>
#include <new>
#include <stdexcept>

namespace host {

namespace {

std::wstring UnitText(IUnknown* unit) {
  HostPtr<IHostUnit> hostUnit;
  if (!unit || FAILED(unit->QueryInterface(IID_IHostUnit, reinterpret_cast<void**>(hostUnit.Out()))) ||
      !hostUnit)
    return std::wstring();
  BSTR text = nullptr;
  if (FAILED(hostUnit->GetText(&text))) return std::wstring();
  std::wstring result(text ? text : L"", text ? SysStringLen(text) : 0);
  SysFreeString(text);
  return result;
}

// The range a ranged units object keeps; unbounded for any other.
HostChannelRange UnitRange(IUnknown* unit) {
  HostChannelRange range = kUnboundedChannelRange;
  HostPtr<IHostUnit> hostUnit;
  if (unit && SUCCEEDED(unit->QueryInterface(IID_IHostUnit, reinterpret_cast<void**>(hostUnit.Out()))) && hostUnit)
    hostUnit->GetRange(&range);  // a unit without a range leaves it unbounded
  return range;
}

}  // namespace

SamplingSinkPart::SamplingSinkPart(DataDocument& owner) : mOwner(owner), mSampler(std::make_unique<Sampler>(&owner)) {}

SamplingSinkPart::~SamplingSinkPart() = default;

HRESULT STDMETHODCALLTYPE SamplingSinkPart::QueryInterface(REFIID iid, void** out) noexcept {
  return mOwner.QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE SamplingSinkPart::AddRef() noexcept { return mOwner.AddRef(); }

ULONG STDMETHODCALLTYPE SamplingSinkPart::Release() noexcept { return mOwner.Release(); }

HRESULT STDMETHODCALLTYPE SamplingSinkPart::DeclareChannel(int32_t channel, int32_t on, VARIANT_BOOL, IUnknown* unit,
                                                           HostRational64 channelPeriod, const HostRational64*,
                                                           uint32_t, IScrivoDataSource*) noexcept {
  if (mState == State::InRecord) return E_UNEXPECTED;
  if (channel < 0 || channelPeriod.numerator <= 0 || channelPeriod.denominator <= 0) return E_INVALIDARG;
  try {
    const HRESULT hr = mOwner.EnsureRecordedChannel(channel, UnitText(unit));
    if (FAILED(hr)) return hr;
    const HostChannelRange range = UnitRange(unit);
    mOwner.SetChannelRange(channel, range.minimum, range.maximum);
    if (mChannels.size() <= static_cast<size_t>(channel)) mChannels.resize(static_cast<size_t>(channel) + 1);
    Channel& c = mChannels[static_cast<size_t>(channel)];
    c.declared = true;
    c.on = on != 0;
    c.period = channelPeriod;
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT STDMETHODCALLTYPE SamplingSinkPart::MaySamplingStart(QOR::IQORString** reason, VARIANT_BOOL* may) noexcept {
  if (!may) return E_POINTER;
  if (reason) *reason = nullptr;
  const wchar_t* why = nullptr;
  if (mState != State::Idle) why = L"Sampling is running.";
  else if (mChannels.empty()) why = L"No channel is declared.";
  *may = why ? VARIANT_FALSE : VARIANT_TRUE;
  if (why && reason) {
    try {
      *reason = MakeHostString(why).Detach();
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE SamplingSinkPart::StartSampling(int32_t) noexcept {
  if (mState != State::Idle) return E_UNEXPECTED;
  const HRESULT hr = mSampler->Start();
  if (SUCCEEDED(hr)) mState = State::Sampling;
  return hr;
}

HRESULT STDMETHODCALLTYPE SamplingSinkPart::StartRecord(int32_t, IScrivoDataSource* source, double tickPeriod, double,
                                                        double, int32_t, int32_t, uint32_t,
                                                        VARIANT_BOOL sampled) noexcept {
  if (mState != State::Sampling) return E_UNEXPECTED;
  if (!source) return E_POINTER;
  if (!(tickPeriod > 0.0)) return E_INVALIDARG;
  const HRESULT hr = mSampler->StartRecord(tickPeriod, sampled);
  if (FAILED(hr)) return hr;
  mState = State::InRecord;
  mTickPeriod = tickPeriod;
  // Every record reads its channels from their first sample: the time restarts at 0. A channel
  // that cannot be opened leaves the record unable to grow (NewData fails).
  for (size_t i = 0; i < mChannels.size(); ++i) {
    Channel& c = mChannels[i];
    c.read.clear();
    c.reader.Reset();
    if (c.declared && c.on) source->Open(0, static_cast<int32_t>(i), c.reader.Out());
  }
  return S_OK;
}

std::vector<float> SamplingSinkPart::TickSamples(Channel& c, int32_t from, int32_t count) {
  if (!c.on) return std::vector<float>(static_cast<size_t>(count), 0.0f);
  if (!c.reader) throw std::runtime_error("channel has no source");
  // Sample k of the channel lies at k x period; tick i shows the last sample at or before it.
  const double ticksPerSample =
      static_cast<double>(c.period.numerator) / static_cast<double>(c.period.denominator) / mTickPeriod;
  auto sampleAt = [&](int32_t tick) {
    return static_cast<size_t>(std::floor(static_cast<double>(tick) / ticksPerSample + 1e-9));
  };
  const size_t needed = sampleAt(from + count - 1) + 1;
  if (c.read.size() < needed) {
    const size_t have = c.read.size();
    c.read.resize(needed);
    int32_t got = 0;
    const HRESULT hr = c.reader->Read(static_cast<int32_t>(needed - have), c.read.data() + have, &got);
    if (FAILED(hr) || static_cast<size_t>(got) != needed - have) {
      c.read.resize(have);
      throw std::runtime_error("channel source gave too few samples");
    }
  }
  std::vector<float> values(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) values[static_cast<size_t>(i)] = c.read[sampleAt(from + i)];
  return values;
}

HRESULT STDMETHODCALLTYPE SamplingSinkPart::NewData(int32_t ticks) noexcept {
  if (mState != State::InRecord) return E_UNEXPECTED;
  if (ticks < 0) return E_INVALIDARG;
  try {
    const Recording& data = mOwner.Data();
    const int32_t from = data.records.back().length;
    std::vector<std::vector<float>> block;
    for (size_t i = 0; i < data.channels.size(); ++i) {
      if (!data.channels[i].formula.empty()) continue;  // computed by the document
      if (i < mChannels.size() && mChannels[i].declared) block.push_back(TickSamples(mChannels[i], from, ticks));
      else block.emplace_back(static_cast<size_t>(ticks), 0.0f);  // recorded before, not sampled now
    }
    return ticks == 0 ? S_OK : mSampler->Append(block);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

void SamplingSinkPart::CloseReaders() noexcept {
  for (Channel& c : mChannels) {
    c.reader.Reset();
    c.read.clear();
    c.read.shrink_to_fit();
  }
}

HRESULT STDMETHODCALLTYPE SamplingSinkPart::EndRecord(int32_t, int32_t* ticks) noexcept {
  if (mState != State::InRecord) return E_UNEXPECTED;
  CloseReaders();
  mState = State::Sampling;
  const HRESULT hr = mSampler->EndRecord();
  if (ticks) *ticks = mOwner.Data().records.back().length;
  return hr;
}

HRESULT STDMETHODCALLTYPE SamplingSinkPart::StopSampling(VARIANT_BOOL) noexcept {
  if (mState == State::Idle) return E_UNEXPECTED;
  CloseReaders();
  mState = State::Idle;
  mChannels.clear();  // each run declares its channels anew
  return mSampler->Stop();
}

}  // namespace host
