// The resumable state every template enumerator's step keeps: where it stands, and where its readers were.
#pragma once

#include <cstdint>
#include <vector>

#include "base/NoValue.h"

namespace EEH3 {

// A reader's saved place: its position and the end tick it was allowed to read to.
struct SavedRead {
  int32_t position = 0;
  int32_t readEnd = 0;
};

// Copyable: the framework keeps copies as checkpoints. A family's State derives from it and adds its own
// working fields.
class StateBase {
 public:
  explicit StateBase(int32_t tick = 0) noexcept : position(tick) {}
  virtual ~StateBase() = default;

  // The lowest tick at which the next event may still lie; kRecordEndOffset once the record is finished.
  virtual int32_t Position() const { return position; }
  // The end of the record's data has been reached: the step must complete what it holds.
  virtual void MarkFinal() { final = true; }

  std::vector<SavedRead> reads;  // one per source
  int32_t stepEnd = -1;          // end tick of the current step
  bool final = false;
  int32_t endSource = -1;        // the source whose end ends the data; negative: every source
  int32_t position;

 protected:
  StateBase(const StateBase&) = default;
  StateBase& operator=(const StateBase&) = default;
};

// Raises a position; positions only ever rise.
inline void RaisePosition(int32_t& position, int32_t tick) noexcept {
  if (tick > position) position = tick;
}

}  // namespace EEH3
