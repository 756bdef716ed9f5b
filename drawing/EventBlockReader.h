// ScrivoDraw::EventBlockReader: pulls the detected events of an enumerator in blocks of eight
// records into a buffer it owns.
#pragma once

#include <cstdint>
#include <memory>

#include <windows.h>

struct IEnumEventEx;

namespace ScrivoDraw {

class EventBlockReader {
 public:
  static constexpr int32_t kBlockRecords = 8;

  EventBlockReader() noexcept = default;
  EventBlockReader(const EventBlockReader&) = delete;
  EventBlockReader& operator=(const EventBlockReader&) = delete;

  // The enumerator is borrowed: its owner keeps it alive while the reader uses it.
  void SetEnum(IEnumEventEx* events) noexcept { mEnum = events; }
  IEnumEventEx* Enum() const noexcept { return mEnum; }

  // Forgets the last block, reads from tick 0 to the record's end, and sizes the buffer for eight
  // records of the enumerator's size (kept while that size stays; none for size 0). Throws
  // std::bad_alloc.
  void Reset();
  // Reads the next block up to mEndTick; true when any record came. Without a buffer or an
  // enumerator it answers false with nothing read.
  bool ReadBlock() noexcept;

  int32_t BufferBytes() const noexcept { return mBufferBytes; }
  int32_t RecordSize() const noexcept { return mRecordSize; }
  int32_t Count() const noexcept { return mCount; }
  HRESULT LastResult() const noexcept { return mLastResult; }
  int32_t NextTick() const noexcept { return mNextTick; }
  const uint8_t* Begin() const noexcept { return mBegin; }
  const uint8_t* End() const noexcept { return mEnd; }
  // The record under the cursor, or null past the block's end; Advance moves the cursor on.
  const uint8_t* Current() const noexcept { return mCurrent < mEnd ? mCurrent : nullptr; }
  void Advance() noexcept {
    if (mCurrent < mEnd) mCurrent += mRecordSize;
  }

 private:
  std::unique_ptr<uint8_t[]> mBuffer;
  int32_t mBufferBytes = 0;
  int32_t mRecordSize = 0;
  const uint8_t* mBegin = nullptr;
  const uint8_t* mCurrent = nullptr;
  const uint8_t* mEnd = nullptr;
  IEnumEventEx* mEnum = nullptr;
  int32_t mCount = 0;
  HRESULT mLastResult = S_OK;
  int32_t mNextTick = 0;
  int32_t mEndTick = 0x7FFFFFFF;
};

}  // namespace ScrivoDraw
