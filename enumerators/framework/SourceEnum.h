// The common base of the source readers through which an enumerator's step reads samples and nested events.
#pragma once

#include <algorithm>
#include <cstdint>

#include "base/NoValue.h"
#include "hostapi/SampleSource.h"

namespace EEH3 {

// A reader buffers items (samples or records) of one source, keeps a position that the framework saves into the
// algorithm state and restores before each step, and tells the end of the available data. The item at `index`
// is the current one; Advance moves past it.
class eeh_SourceEnum {
 public:
  eeh_SourceEnum() = default;
  eeh_SourceEnum(const eeh_SourceEnum&) = delete;
  eeh_SourceEnum& operator=(const eeh_SourceEnum&) = delete;
  virtual ~eeh_SourceEnum() = default;

  // Tick of the current item.
  virtual int32_t Position() = 0;
  // Moves to the next item, reading more when the buffer is used up; false when there is none (yet).
  virtual bool Advance() = 0;
  // False at the end; true when an item is buffered; otherwise whatever Advance answers.
  virtual bool Ready() {
    if (atEnd) return false;
    return HasBuffered() || Advance();
  }
  virtual bool Current() { return Ready(); }
  // Positions at the first item at or after tick.
  virtual void SeekTo(int32_t tick) = 0;
  // Tells the wrapped source where the run starts.
  virtual void SetStartTick(int32_t tick) = 0;
  virtual void GetTimeBase(TimeBase* timeBase) = 0;
  virtual void ResetBuffer() { index = 0; count = 0; }
  // False when the source gives items this reader cannot read (records shorter than it needs).
  virtual bool Readable() const { return true; }
  virtual bool HasBuffered() const { return index < count; }

  // The read limit: readEnd is the end tick asked of the source, dataEnd the tick from which the reader reports
  // its end. Lifting lets a step read beyond its own end tick (to see the next event).
  void LiftReadLimit(int32_t tick) noexcept { readEnd = std::min(std::max(readEnd, tick), dataEnd); }
  void LiftReadLimitToEnd() noexcept { readEnd = dataEnd; }
  bool AtEnd() const noexcept { return atEnd; }

  // Moves past the current buffered item: true when another one is buffered; otherwise the buffer is emptied
  // (with ResetBuffer) and false, so the caller reads the next block.
  bool NextBuffered() {
    if (index >= count) return false;
    ++index;
    if (index < count) return true;
    ResetBuffer();
    return false;
  }

  bool atEnd = false;
  int32_t readEnd = kRecordEndOffset;
  int32_t dataEnd = kRecordEndOffset;
  uint32_t index = 0;
  uint32_t count = 0;
  bool startSet = false;
};

}  // namespace EEH3
