// The measurement plug-in interface of the calculation stages and the adapter that runs a measurement kernel.
#pragma once

#include <cstdint>

#include "enumerators/calcbulk/plugins/MeasureInput.h"

namespace ZR::Enum {

// A measurement that collects the samples of one window around the current event while
// the stage streams the channel past it, then writes its results. Slots in order:
// destructor, GetRange, IsActive, Begin, AddSamples, WriteResults, Clone.
// AddSamples receives a block of consecutive samples from firstTick on; the plug-in
// itself keeps only those inside its range, and only while it is active.
template <class State, class Params, class Out>
class CalcPlugin {
 public:
  virtual ~CalcPlugin() = default;
  virtual CalcBulk::TickRange GetRange(const State& state, const Params& params) const = 0;
  virtual bool IsActive(const State& state, const Params& params) const = 0;
  virtual void Begin(const State& state, const Params& params) = 0;
  virtual void AddSamples(const State& state, const Params& params, int32_t firstTick,
                          const float* values, int32_t count) = 0;
  virtual void WriteResults(const State& state, const Params& params, Out& out) = 0;
  virtual CalcPlugin* Clone() const = 0;

 protected:
  CalcPlugin() = default;
  CalcPlugin(const CalcPlugin&) = default;
  CalcPlugin& operator=(const CalcPlugin&) = default;
};

// Runs a measurement kernel as a plug-in of a stage whose state and parameters give a
// MeasureInput through MeasureInputOf(state, params).
template <class Kernel, class State, class Params, class Out>
class KernelPlugin final : public CalcPlugin<State, Params, Out> {
 public:
  CalcBulk::TickRange GetRange(const State& s, const Params& p) const override {
    return mKernel.Range(MeasureInputOf(s, p));
  }
  bool IsActive(const State& s, const Params& p) const override {
    return mKernel.IsActive(MeasureInputOf(s, p));
  }
  void Begin(const State& s, const Params& p) override { mKernel.Begin(MeasureInputOf(s, p)); }
  void AddSamples(const State& s, const Params& p, int32_t firstTick, const float* values,
                  int32_t count) override {
    const CalcBulk::MeasureInput in = MeasureInputOf(s, p);
    if (!mKernel.IsActive(in))
      return;
    const CalcBulk::TickRange r = mKernel.Range(in);
    const int64_t lo = firstTick > r.start ? firstTick : r.start;
    const int64_t blockEnd = static_cast<int64_t>(firstTick) + count;
    const int64_t hi = blockEnd < r.end ? blockEnd : r.end;
    if (lo < hi)
      mKernel.Add(in, static_cast<int32_t>(lo), values + (lo - firstTick),
                  static_cast<int32_t>(hi - lo));
  }
  void WriteResults(const State& s, const Params& p, Out& out) override {
    mKernel.Write(MeasureInputOf(s, p), out);
  }
  CalcPlugin<State, Params, Out>* Clone() const override { return new KernelPlugin(*this); }

  const Kernel& kernel() const noexcept { return mKernel; }

 private:
  Kernel mKernel;
};

}  // namespace ZR::Enum
