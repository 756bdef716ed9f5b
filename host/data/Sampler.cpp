// Sampling into a data document.
#include "host/data/Sampler.h"

#include "host/formula/FormulaSyntax.h"

#include <algorithm>
#include <new>

namespace host {

template <typename Call>
void Sampler::Notify(Call call) const {
  // A snapshot: a sink may unregister itself (or another) while it is called.
  for (const HostPtr<IOnlineDataSink>& sink : mDocument->Sinks()) call(sink.Get());
}

HRESULT Sampler::Start() {
  if (mState != State::Idle) return E_UNEXPECTED;
  mState = State::Sampling;
  mDocument->mSampling = true;
  Notify([](IOnlineDataSink* s) { s->OnSamplingStart(); });
  return S_OK;
}

HRESULT Sampler::StartRecord(double tickPeriod, VARIANT_BOOL sampled) {
  if (mState != State::Sampling) return E_UNEXPECTED;
  if (!(tickPeriod > 0.0)) return E_INVALIDARG;
  Recording& recording = *mDocument->mRecording;
  try {
    recording.records.push_back(MakeEmptyRecord(recording.channels.size(), tickPeriod, false));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  mState = State::InRecord;
  mDocument->mRecordOpen = true;
  const int32_t index = static_cast<int32_t>(recording.records.size()) - 1;
  const VARIANT_BOOL flag = sampled ? VARIANT_TRUE : VARIANT_FALSE;
  Notify([index, flag](IOnlineDataSink* s) { s->OnRecordStart(index, flag); });
  return S_OK;
}

HRESULT Sampler::Append(const std::vector<std::vector<float>>& block) {
  if (mState != State::InRecord) return E_UNEXPECTED;
  Recording& recording = *mDocument->mRecording;
  RecordData& record = recording.records.back();
  size_t recorded = 0;
  for (const ChannelInfo& c : recording.channels) recorded += c.formula.empty() ? 1 : 0;
  if (block.size() != recorded) return E_INVALIDARG;
  const size_t ticks = block.empty() ? 0 : block[0].size();
  for (const std::vector<float>& channel : block)
    if (channel.size() != ticks) return E_INVALIDARG;
  if (ticks > static_cast<size_t>(INT32_MAX - 1 - record.length)) return E_INVALIDARG;
  const int32_t from = record.length;
  const int32_t count = static_cast<int32_t>(ticks);
  try {
    // Everything that may fail comes first, so that a refused block leaves every channel of the
    // record at the same length: the signal channels' values, then room in every channel.
    std::vector<std::vector<float>> values = mDocument->SignalBlock(record, from, count);
    // Channels whose formula yields events hold no samples and get none.
    size_t next = 0;
    for (size_t c = 0; c < recording.channels.size(); ++c) {
      if (recording.channels[c].formula.empty()) values[c] = block[next++];
      if (values[c].size() == ticks) record.samples[c]->Reserve(from + count);
    }
    for (size_t c = 0; c < recording.channels.size(); ++c)
      if (values[c].size() == ticks) record.samples[c]->Append(values[c].data(), count);
    record.length = from + count;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const FormulaError&) {
    return E_FAIL;
  }
  const int32_t index = static_cast<int32_t>(recording.records.size()) - 1;
  const int32_t length = record.length;
  Notify([index, length](IOnlineDataSink* s) { s->OnNewData(index, length); });
  return S_OK;
}

HRESULT Sampler::EndRecord() {
  if (mState != State::InRecord) return E_UNEXPECTED;
  Recording& recording = *mDocument->mRecording;
  RecordData& record = recording.records.back();
  record.complete = true;
  for (const std::shared_ptr<ChannelRecord>& s : record.samples) s->Complete();
  mState = State::Sampling;
  mDocument->mRecordOpen = false;
  const int32_t index = static_cast<int32_t>(recording.records.size()) - 1;
  const int32_t length = record.length;
  Notify([index, length](IOnlineDataSink* s) { s->OnRecordEnd(index, length); });
  return S_OK;
}

HRESULT Sampler::Stop() {
  if (mState == State::InRecord) {
    const HRESULT hr = EndRecord();
    if (FAILED(hr)) return hr;
  }
  if (mState != State::Sampling) return E_UNEXPECTED;
  mState = State::Idle;
  mDocument->mSampling = false;
  Notify([](IOnlineDataSink* s) { s->OnSamplingStop(); });
  return S_OK;
}

namespace {

HRESULT SampleRecord(Sampler& sampler, const Recording& source, const RecordData& record, int32_t batchTicks,
                     const std::function<void()>& afterBatch) {
  HRESULT hr = sampler.StartRecord(record.tickPeriod);
  std::vector<std::vector<float>> block;
  for (int32_t from = 0; SUCCEEDED(hr) && from < record.length; from += batchTicks) {
    const int32_t count = std::min(batchTicks, record.length - from);
    block.clear();
    for (size_t c = 0; c < source.channels.size(); ++c) {
      if (!source.channels[c].formula.empty()) continue;  // computed by the document
      const float* samples = record.samples[c]->Samples() + from;
      block.emplace_back(samples, samples + count);
    }
    hr = sampler.Append(block);
    if (SUCCEEDED(hr) && afterBatch) afterBatch();
  }
  return SUCCEEDED(hr) ? sampler.EndRecord() : hr;
}

}  // namespace

HRESULT SampleRecording(DataDocument* document, const Recording& source, int32_t batchTicks,
                        const std::function<void()>& afterBatch) {
  if (!document || batchTicks < 1 || document->Data().channels.size() != source.channels.size())
    return E_INVALIDARG;
  Sampler sampler(document);
  HRESULT hr = sampler.Start();
  for (size_t r = 0; SUCCEEDED(hr) && r < source.records.size(); ++r)
    hr = SampleRecord(sampler, source, source.records[r], batchTicks, afterBatch);
  const HRESULT stopped = sampler.Stop();
  return FAILED(hr) ? hr : stopped;
}

}  // namespace host
