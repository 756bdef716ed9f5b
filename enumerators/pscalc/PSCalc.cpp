// PSCalc's sources and its step: collecting a stimulus with its three turning points, then measuring the spike.
#include "enumerators/pscalc/PSCalc.h"

#include <algorithm>
#include <memory>

#include "base/TickConversion.h"
#include "enumerators/calcbulk/plugins/MeasureInput.h"
#include "enumerators/framework/EventWrapper.h"
#include "enumerators/framework/FloatExWrapper.h"

namespace ZR::Enum::PSCalc {

namespace {

using EventReader = EEH3::EventWrapperEx<EventPkStm>;

CalcBulk::MeasureInput SlopeInput(const State& s, const Params& p) {
  CalcBulk::MeasureInput in;
  in.event = &s.baseRecord;
  in.params = &p.slopeWindow;
  in.period = p.tickPeriod;
  return in;
}

void ResetRecord(EventFCalc& out) noexcept {
  static_cast<EventBCalcBase2&>(out).Reset();
  out.ClearResults();
}

// Phases 0 to 2: false while the stimulus, its spike or the event after it are still to come.
bool Collect(State& s, EventReader& events) {
  if (s.phase == Phase::Idle) {
    s.eventCount = 0;
    s.spikeSum = 0.0f;
    SetNoValue(s.valueAt);
    s.phase = Phase::Collect;
  }
  while (s.phase == Phase::Collect) {
    events.LiftReadLimitToEnd();
    const bool has = events.Ready();
    if (s.eventCount == 0) EEH3::RaisePosition(s.position, events.Position());
    if (!has) {
      if (!s.final || s.eventCount == 0) return false;
      s.phase = Phase::WaitNext;
      break;
    }
    const EventPkStm e = events.Value();
    if (e.kind == kEventStimulus && s.eventCount >= 1) {
      s.eventCount = 0;  // the stimulus before it got no complete spike
      s.phase = Phase::Measure;
      return true;
    }
    s.events[s.eventCount++] = State::Point{e.tick, static_cast<float>(e.value)};
    events.Advance();
    if (s.eventCount == 4) s.phase = Phase::WaitNext;
  }
  const bool hasNext = events.Ready();
  if (!hasNext && !s.final) return false;
  s.nextTick = hasNext ? events.Position() : kRecordEndOffset;
  s.phase = Phase::Measure;
  return true;
}

// The channel from the stimulus up to the next event, block by block.
void ScanResponse(State& s, const Params& p, EEH3::FloatExWrapper& channel) {
  const int32_t t0 = s.events[0].tick;
  const int32_t t1 = s.events[1].tick;
  const int32_t t3 = s.events[3].tick;
  const int32_t valueTick = AddTicksSat(t0, p.valueAtTicks);
  const CalcBulk::MeasureInput in = SlopeInput(s, p);
  const CalcBulk::TickRange range = s.slope.Range(in);
  const bool slopeActive = s.slope.IsActive(in);
  // The scan reaches the next event, past the end tick of the step.
  if (channel.readEnd < t3) channel.LiftReadLimit(s.nextTick);
  if (channel.Position() < t0) channel.SeekTo(t0);
  while (channel.Ready()) {
    const int32_t first = channel.BlockStartTick();
    if (first >= s.nextTick) break;
    int32_t count = 0;
    const float* const v = channel.Block(count);
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, static_cast<int64_t>(s.nextTick) - first));
    for (int32_t i = 0; i < n; ++i) {
      const int32_t t = first + i;
      if (t == valueTick) s.valueAt = v[i];
      if (t1 <= t && t < t3) s.spikeSum += v[i];
      s.scanMax = s.scanStarted ? std::max(s.scanMax, v[i]) : v[i];
      s.scanMin = s.scanStarted ? std::min(s.scanMin, v[i]) : v[i];
      s.scanStarted = true;
    }
    const int64_t lo = std::max<int64_t>(first, range.start);
    const int64_t hi = std::min<int64_t>(static_cast<int64_t>(first) + n, range.end);
    if (slopeActive && lo < hi)
      s.slope.Add(in, static_cast<int32_t>(lo), v + (lo - first), static_cast<int32_t>(hi - lo));
    channel.Skip(n);
  }
}

void WriteSpike(State& s, const Params& p, EventFCalc& out) {
  const State::Point* const e = s.events;
  const int32_t t1 = e[1].tick;
  const int32_t t2 = e[2].tick;
  const int32_t t3 = e[3].tick;
  out.count = ++s.responseNumber;
  out.tStart = static_cast<float>(static_cast<double>(t1 - p.WindowLower(p.record)) * p.tickPeriod);
  out.peakStartTick = t1;
  SetFloatBits(out.measuredValue, FloatBits(s.valueAt));
  const float r = static_cast<float>(t2 - t1) / static_cast<float>(t3 - t1);
  out.popSpikeHeight = (1.0f - r) * e[1].value + r * e[3].value - e[2].value;
  const float line = static_cast<float>(static_cast<double>(t3 - t1) * (e[1].value + e[3].value) * 0.5);
  out.popSpikeArea = static_cast<float>(static_cast<double>(line - s.spikeSum) * p.tickPeriod);
  out.stimulusTick = e[0].tick;
  out.tick = t1;
  out.fraction = 0.0f;
  out.value = e[1].value;
  out.spikeTroughTick = t2;
  out.spikePeak2Tick = t3;
  out.highestSample = s.scanMax;
  out.lowestSample = s.scanMin;
  out.peakEndTick = TruncToInt32Sat(t3 + 0.5 * (static_cast<double>(t3) - t1));
  s.slope.Write(SlopeInput(s, p), out);
}

}  // namespace

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  if (count >= 1) sources.push_back(std::make_unique<EEH3::FloatExWrapper>(interfaces[0]));
  if (count >= 2) sources.push_back(std::make_unique<EventReader>(interfaces[1]));
  valueAtTicks = MsToTicks(valueAtMs, tickPeriod);
  slopeWindow.analysisType = analysisType;
  slopeWindow.slopeStartMs = slopeStartMs;
  slopeWindow.slopeEndMs = slopeEndMs;
}

bool Algorithm::Step(State& s, Params& params, Record& out, int32_t stepEnd) {
  auto* const channel =
      params.sources.size() > 1 ? dynamic_cast<EEH3::FloatExWrapper*>(params.sources[0].get()) : nullptr;
  auto* const events = params.sources.size() > 1 ? dynamic_cast<EventReader*>(params.sources[1].get()) : nullptr;
  if (!channel || !events) {
    s.position = kRecordEndOffset;
    return false;
  }
  s.endSource = 1;
  if (s.phase != Phase::Measure && !Collect(s, *events)) {
    // With the data ended, nothing is left to collect.
    if (s.final) s.position = kRecordEndOffset;
    return false;
  }
  const bool complete = s.eventCount == 4;
  const int32_t tick = complete ? s.events[1].tick : s.events[0].tick;
  if (tick >= stepEnd) {
    // The record belongs to a later step; it is measured then, from this same state.
    EEH3::RaisePosition(s.position, tick);
    return false;
  }
  ResetRecord(out);
  if (complete) {
    s.endSource = 0;
    s.baseRecord.Reset();
    s.baseRecord.stimulusTick = s.events[0].tick;
    s.slope.Begin(SlopeInput(s, params));
    ScanResponse(s, params, *channel);
    WriteSpike(s, params, out);
  } else {
    out.tick = s.events[0].tick;
    out.fraction = 0.0f;
    SetNoValue(out.value);
    out.stimulusTick = s.events[0].tick;
    out.peakEndTick = AddTicksSat(s.events[0].tick, 1);
  }
  EEH3::RaisePosition(s.position, events->Position());
  s.phase = Phase::Idle;
  return true;
}

}  // namespace ZR::Enum::PSCalc
