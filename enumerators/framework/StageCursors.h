// The block-wise views of a channel and of a nested enumerator's records through which the per-event calculation
// steps (baseline, extreme, second baseline) read their sources.
#pragma once

#include <cstdint>
#include <vector>

namespace ZR::Enum {

// Channel samples, read forward in blocks: one call per block, never one per sample.
// Ready() reads more when nothing is buffered and answers whether a sample stands at Position(); after a true
// Ready(), Block() gives the buffered samples from Position() on (count >= 1) and Skip() moves past some of them.
// AtEnd() tells that no more samples will come in this record (while the host samples, Ready() may be false
// without AtEnd()).
struct SampleCursor {
  virtual bool Ready() = 0;
  virtual int32_t Position() = 0;
  virtual const float* Block(int32_t& count) = 0;
  virtual void Skip(int32_t count) = 0;
  virtual void SeekTo(int32_t tick) = 0;
  virtual bool AtEnd() = 0;

 protected:
  ~SampleCursor() = default;
};

// Reads the channel forward up to limit (exclusive), one block at a time: scan(samples, firstTick, count) scans a
// block and answers how many samples it used; done() tells that it found what it looks for. Answers true when the
// channel ran out of samples first (while the host samples, more may come).
template <class Scan, class Done>
bool ScanBlocksUntil(SampleCursor& channel, int32_t limit, const Scan& scan, const Done& done) {
  for (;;) {
    if (!channel.Ready()) return true;
    const int32_t first = channel.Position();
    if (first >= limit) return false;
    int32_t count = 0;
    const float* const v = channel.Block(count);
    const int64_t left = static_cast<int64_t>(limit) - first;
    if (left < count) count = static_cast<int32_t>(left);
    channel.Skip(scan(v, first, count));
    if (done()) return false;
  }
}

// Appends the channel's samples from its position up to limit (exclusive) to out; false when a sample before limit
// is not yet there.
inline bool AppendSamplesBefore(SampleCursor& channel, int32_t limit, std::vector<float>& out) {
  for (;;) {
    const int32_t first = channel.Position();
    if (first >= limit) return true;
    if (!channel.Ready()) return false;
    int32_t count = 0;
    const float* const block = channel.Block(count);
    const int64_t left = static_cast<int64_t>(limit) - first;
    if (left < count) count = static_cast<int32_t>(left);
    out.insert(out.end(), block, block + count);
    channel.Skip(count);
  }
}

// Records of a nested enumerator, one at a time. Position() is the current record's tick, the nested enumerator's
// next unexamined tick when none is buffered, or kRecordEndOffset at the end. LiftReadLimitToEnd() lets the
// reader fetch records beyond the current step's end tick (to see the next event).
template <class Record>
struct EventCursor {
  virtual bool Ready() = 0;
  virtual int32_t Position() = 0;
  virtual const Record& Current() = 0;
  virtual void Advance() = 0;
  virtual void LiftReadLimitToEnd() = 0;
  virtual bool AtEnd() = 0;

 protected:
  ~EventCursor() = default;
};

// What the framework gives a step besides its own state: the step's end tick and the final flag, and the source
// whose end counts as the end of the data (0 the channel, 1 the events), which the step sets.
struct StepFrame {
  int32_t stepEnd = -1;
  bool final = false;
  int32_t endSource = -1;
};

// A state's position only ever rises.
inline void RaisePosition(int32_t& position, int32_t tick) noexcept {
  if (tick > position) position = tick;
}

}  // namespace ZR::Enum
