// The event reader: the records of a nested enumerator read through IEnumEventEx in blocks of 8.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "enumerators/framework/SourceEnum.h"
#include "hostapi/CalcEnum.h"
#include "hostclient/ComPtr.h"

namespace EEH3 {

class EventWrapper : public eeh_SourceEnum {
 public:
  static constexpr int32_t kBlockRecords = 8;

  // Takes IEnumEventEx from wrapped by QueryInterface; without it the reader is at its end from the start.
  explicit EventWrapper(IUnknown* wrapped);

  int32_t Position() override;
  bool Advance() override;
  void SeekTo(int32_t tick) override;
  void SetStartTick(int32_t tick) override;
  void GetTimeBase(TimeBase* timeBase) override;

  bool HasNested() const noexcept { return static_cast<bool>(mNested); }
  // Bytes per record of the nested enumerator (0 without one).
  int32_t RecordSize() const noexcept { return mRecordSize; }
  // The current record's bytes (valid after a true Ready).
  const unsigned char* CurrentBytes() const noexcept {
    return mBuffer.data() + static_cast<size_t>(index) * static_cast<size_t>(mRecordSize);
  }

 private:
  int32_t BufferedTick(uint32_t at) const noexcept;

  ComPtr<IEnumEventEx> mNested;
  ComPtr<IUnknown> mWrapped;
  int32_t mRecordSize = 0;
  std::vector<unsigned char> mBuffer;
};

// The reader typed by the record it yields. A nested record larger than Record is read through Record's layout
// (its head); a smaller one is never accepted: the reader is not Readable and stays at its end.
template <class Record>
class EventWrapperEx final : public EventWrapper {
 public:
  explicit EventWrapperEx(IUnknown* wrapped) : EventWrapper(wrapped) {
    if (HasNested() && RecordSize() < static_cast<int32_t>(sizeof(Record))) atEnd = true;
  }
  bool Ready() override { return Readable() && EventWrapper::Ready(); }
  bool Readable() const override { return !HasNested() || RecordSize() >= static_cast<int32_t>(sizeof(Record)); }
  // The current record copied out through Record's layout.
  Record Value() const noexcept {
    Record record;
    std::memcpy(static_cast<void*>(&record), CurrentBytes(), sizeof(Record));
    return record;
  }
};

}  // namespace EEH3
