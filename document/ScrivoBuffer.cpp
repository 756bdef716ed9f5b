// ScrivoBuffer: leading zeros, the host's sample block, trailing zeros.
#include "document/ScrivoBuffer.h"

#include "hostapi/DataDocument.h"
#include "hostapi/SampleSource.h"

#include <algorithm>

namespace ZR::Doc {

ScrivoBuffer::ScrivoBuffer(IHostDataDocument* data, int32_t channel) : mData(data), mChannel(channel) {}

ScrivoBuffer::~ScrivoBuffer() = default;

bool ScrivoBuffer::Fill(int32_t record, int32_t start, std::vector<float>& out) {
  std::fill(out.begin(), out.end(), 0.0f);
  // A negative start reads from the record's start: the first -start places stay 0.0.
  const int64_t lead = start < 0 ? -static_cast<int64_t>(start) : 0;
  if (!mData || lead >= static_cast<int64_t>(out.size())) return false;
  const int32_t first = start < 0 ? 0 : start;
  QOR::ComPtr<IUnknown> made;
  if (mData->GetChannelSource(mChannel, kReadFlags, record, first, 0x7FFFFFFF, made.Out()) != S_OK || !made)
    return false;
  mBlock.Reset();
  if (FAILED(made->QueryInterface(IID_ISampleSource, mBlock.OutVoid())) || !mBlock) return false;
  size_t at = static_cast<size_t>(lead);
  while (at < out.size()) {
    const size_t wanted = std::min<size_t>(out.size() - at, 0x100000);
    int32_t read = 0;
    const HRESULT hr = mBlock->Read(static_cast<int32_t>(wanted), out.data() + at, &read);
    // Fewer samples at the record's end: the rest stays 0.0.
    if (FAILED(hr) || read <= 0) break;
    at += static_cast<size_t>(read);
  }
  return true;
}

}  // namespace ZR::Doc
