// In-memory channel and event cursors for the per-event calculation steps, and a driver that runs a step the way
// the enumerator framework does: offline over complete data, or online while data arrives in uneven blocks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "enumerators/framework/StageCursors.h"
#include "base/EventRecords.h"

namespace calcstages {

// Samples buffered in blocks of blockSize (so a block may end anywhere); only the first `available` samples exist
// yet; `complete` says no more will come.
class VectorChannel final : public ZR::Enum::SampleCursor {
 public:
  explicit VectorChannel(std::vector<float> samples, int32_t blockSize = 1024)
      : mSamples(std::move(samples)), mAvailable(static_cast<int32_t>(mSamples.size())), mBlock(blockSize) {}
  void SetAvailable(int32_t n, bool complete) {
    mAvailable = std::min<int32_t>(n, static_cast<int32_t>(mSamples.size()));
    mComplete = complete;
  }
  bool Ready() override { return mPos >= 0 && mPos < mAvailable; }
  int32_t Position() override { return mPos; }
  const float* Block(int32_t& count) override {
    const int32_t blockEnd = (mPos / mBlock + 1) * mBlock;
    count = std::min(blockEnd, mAvailable) - mPos;
    return mSamples.data() + mPos;
  }
  void Skip(int32_t count) override { mPos += count; }
  void SeekTo(int32_t tick) override { mPos = tick; }
  bool AtEnd() override { return mComplete && mPos >= mAvailable; }

 private:
  std::vector<float> mSamples;
  int32_t mAvailable;
  int32_t mBlock;
  int32_t mPos = 0;
  bool mComplete = true;
};

// Records of a nested stage; only the first `available` exist yet. Without a record, Position() is the tick up to
// which the nested stage has examined its data (`examined`), or kRecordEndOffset when complete.
template <class Record>
class VectorEvents final : public ZR::Enum::EventCursor<Record> {
 public:
  explicit VectorEvents(std::vector<Record> records)
      : mRecords(std::move(records)), mAvailable(mRecords.size()) {}
  void SetAvailable(size_t n, int32_t examined, bool complete) {
    mAvailable = std::min(n, mRecords.size());
    mExamined = examined;
    mComplete = complete;
  }
  bool Ready() override { return mIndex < mAvailable; }
  int32_t Position() override {
    if (Ready()) return mRecords[mIndex].tick;
    return mComplete ? kRecordEndOffset : mExamined;
  }
  const Record& Current() override { return mRecords[mIndex]; }
  void Advance() override { ++mIndex; }
  void LiftReadLimitToEnd() override {}
  bool AtEnd() override { return mComplete && mIndex >= mAvailable; }

 private:
  std::vector<Record> mRecords;
  size_t mAvailable;
  size_t mIndex = 0;
  int32_t mExamined = 0;
  bool mComplete = true;
};

// Calls the step until it stops; when the source whose end counts is used up, marks the state final and calls it
// once more, as the framework does. Records found are appended to out.
template <class State, class Settings, class Record, class Out, class StepFn>
void RunSteps(StepFn step, State& s, const Settings& p, ZR::Enum::StepFrame& frame,
              VectorChannel& channel, VectorEvents<Record>& events, std::vector<Out>& out) {
  for (int guard = 0; guard < 100000 && s.position != kRecordEndOffset; ++guard) {
    Out record;
    if (step(s, p, frame, channel, events, record)) {
      out.push_back(record);
      continue;
    }
    const bool usedUp = frame.endSource == 0   ? channel.AtEnd()
                        : frame.endSource == 1 ? events.AtEnd()
                                               : channel.AtEnd() && events.AtEnd();
    if (!usedUp || frame.final) return;
    frame.final = true;
  }
}

// Offline: everything there from the start.
template <class State, class Settings, class Record, class Out, class StepFn>
std::vector<Out> RunOffline(StepFn step, const Settings& p, const std::vector<float>& samples,
                            const std::vector<Record>& records, int32_t blockSize = 1024) {
  VectorChannel channel(samples, blockSize);
  VectorEvents<Record> events(records);
  State s;
  ZR::Enum::StepFrame frame;
  frame.stepEnd = kRecordEndOffset;
  std::vector<Out> out;
  RunSteps(step, s, p, frame, channel, events, out);
  return out;
}

// Online: samples arrive in blocks of the given sizes (cycled); a record becomes available once the samples up to
// its tick + delay have arrived.
template <class State, class Settings, class Record, class Out, class StepFn>
std::vector<Out> RunOnline(StepFn step, const Settings& p, const std::vector<float>& samples,
                           const std::vector<Record>& records, const std::vector<int32_t>& arrivals,
                           int32_t delay) {
  VectorChannel channel(samples, 7);
  VectorEvents<Record> events(records);
  State s;
  ZR::Enum::StepFrame frame;
  frame.stepEnd = kRecordEndOffset;
  std::vector<Out> out;
  const int32_t total = static_cast<int32_t>(samples.size());
  int32_t have = 0;
  for (size_t k = 0; have < total; ++k) {
    have = std::min(total, have + arrivals[k % arrivals.size()]);
    size_t ready = 0;
    while (ready < records.size() && records[ready].tick + delay < have) ++ready;
    const bool complete = have == total;
    channel.SetAvailable(have, complete);
    events.SetAvailable(complete ? records.size() : ready, std::max(0, have - delay), complete);
    RunSteps(step, s, p, frame, channel, events, out);
  }
  return out;
}

// Samples of a formula at ticks 0..n-1.
template <class F>
std::vector<float> Samples(int32_t n, F f) {
  std::vector<float> v(static_cast<size_t>(n));
  for (int32_t t = 0; t < n; ++t) v[static_cast<size_t>(t)] = static_cast<float>(f(t));
  return v;
}

}  // namespace calcstages
