// The channel reader over the host sample source.
#include "enumerators/framework/FloatExWrapper.h"

#include <algorithm>

#include "hostapi/CalcEnum.h"

namespace EEH3 {

FloatExWrapper::FloatExWrapper(IUnknown* wrapped) : mWrapped(wrapped), mBuffer(kBlockSamples, 0.0f) {
  if (wrapped) wrapped->QueryInterface(IID_ISampleSource, mSource.OutVoid());  // none: counts ticks
}

int32_t FloatExWrapper::Position() {
  if (!mSource) return mBufferStart;
  if (!atEnd && index < count) return mBufferStart + static_cast<int32_t>(index);
  int32_t position = 0;
  if (FAILED(mSource->GetPosition(&position))) return dataEnd;
  return std::min(position, dataEnd);
}

// Reads while the position lies before the data end, so the last sample before dataEnd is read even when a
// block ends just before it.
// Without a sample source there are no samples to read: the reader stands at its data end, so a step over it
// ends the record instead of counting ticks for ever.
bool FloatExWrapper::Advance() {
  if (!mSource) {
    mBufferStart = dataEnd;
    atEnd = true;
    return false;
  }
  if (NextBuffered()) return true;
  const int32_t position = Position();
  if (position >= dataEnd) {
    mBufferStart = dataEnd;
    atEnd = true;
    return false;
  }
  const int32_t wanted = std::min(dataEnd - position, kBlockSamples);
  int32_t read = 0;
  const HRESULT hr = mSource->Read(wanted, mBuffer.data(), &read);
  if (read <= 0) {
    if (hr != S_OK) atEnd = true;  // the record ended (or the source failed); S_OK: no new data yet
    return false;
  }
  count = static_cast<uint32_t>(std::min(read, wanted));
  index = 0;
  mBufferStart = position;
  return true;
}

void FloatExWrapper::SeekTo(int32_t tick) {
  if (tick >= dataEnd) {
    atEnd = true;
    mBufferStart = dataEnd;
    return;
  }
  if (!mSource) {
    mBufferStart = tick;
    atEnd = false;
    return;
  }
  if (count > 0 && tick >= mBufferStart && tick - mBufferStart < static_cast<int32_t>(count)) {
    index = static_cast<uint32_t>(tick - mBufferStart);
    atEnd = false;
    return;
  }
  int32_t position = -1;
  mSource->GetPosition(&position);  // a failure leaves -1, which forces the seek
  if (position != tick) mSource->Seek(tick);
  ResetBuffer();
  mBufferStart = tick;
  atEnd = false;
}

void FloatExWrapper::SetStartTick(int32_t tick) {
  startSet = true;
  ComPtr<ICalcEnum> calcEnum;
  if (mWrapped && SUCCEEDED(mWrapped->QueryInterface(IID_ICalcEnum, calcEnum.OutVoid())) && calcEnum) {
    calcEnum->SetStartTick(tick);
    return;
  }
  if (mSource) mSource->Seek(tick);
}

void FloatExWrapper::GetTimeBase(TimeBase* timeBase) {
  *timeBase = TimeBase();
  if (mSource && FAILED(mSource->GetTimeBase(timeBase))) *timeBase = TimeBase();
}

void FloatExWrapper::ResetBuffer() {
  eeh_SourceEnum::ResetBuffer();
  mBuffer[0] = 0.0f;
}

}  // namespace EEH3
