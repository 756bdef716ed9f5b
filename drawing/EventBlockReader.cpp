// ScrivoDraw::EventBlockReader: buffer sizing and block reads.
#include "drawing/EventBlockReader.h"

#include "hostapi/CalcEnum.h"

namespace ScrivoDraw {

void EventBlockReader::Reset() {
  mBegin = mCurrent = mEnd = nullptr;
  mCount = 0;
  mLastResult = S_OK;
  mNextTick = 0;
  mEndTick = kEnumRecordEnd;
  if (!mEnum) return;
  int32_t size = 0;
  if (FAILED(mEnum->GetRecordSize(&size)) || size < 0) size = 0;
  mRecordSize = size;
  const int32_t bytes = size * kBlockRecords;
  if (bytes == mBufferBytes) return;
  mBuffer.reset();
  mBufferBytes = 0;
  if (bytes == 0) return;
  mBuffer.reset(new uint8_t[static_cast<size_t>(bytes)]);
  mBufferBytes = bytes;
}

bool EventBlockReader::ReadBlock() noexcept {
  mCount = 0;
  if (!mEnum || !mBuffer) {
    mBegin = mCurrent = mEnd = nullptr;
    return false;
  }
  int32_t count = 0;
  int32_t next = mNextTick;
  mLastResult = mEnum->Next(mBufferBytes, mEndTick, mBuffer.get(), &count, &next);
  // A misbehaving enumerator cannot make the cursor run past the buffer.
  if (FAILED(mLastResult) || count < 0) count = 0;
  if (count > kBlockRecords) count = kBlockRecords;
  mCount = count;
  mNextTick = next;
  mBegin = mCurrent = mBuffer.get();
  mEnd = mBegin + static_cast<size_t>(count) * static_cast<size_t>(mRecordSize);
  return count > 0;
}

}  // namespace ScrivoDraw
