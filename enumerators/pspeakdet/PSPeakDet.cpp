// PSPeakDet's parameters and its step over the channel and the stimulus events.
#include "enumerators/pspeakdet/PSPeakDet.h"

#include <algorithm>
#include <istream>
#include <memory>
#include <ostream>

#include "base/TickConversion.h"
#include "enumerators/framework/EventWrapper.h"
#include "enumerators/framework/FloatExWrapper.h"

namespace ZR::Enum::PSPeakDet {

namespace {

using StimulusReader = EEH3::EventWrapperEx<EventPkStm>;

// Phase 0: passes the next stimulus on and opens its window. False when there is none before stepEnd yet.
bool TakeStimulus(State& s, const Params& p, StimulusReader& stimuli, EventPkStm& out, int32_t stepEnd) {
  s.endSource = 1;
  if (!stimuli.Ready()) {
    if (s.final) s.position = kRecordEndOffset;
    else EEH3::RaisePosition(s.position, stimuli.Position());
    return false;
  }
  const int32_t tick = stimuli.Position();
  if (tick >= stepEnd) {
    EEH3::RaisePosition(s.position, tick);
    return false;
  }
  out = EventPkStm::Stimulus(tick);
  EEH3::RaisePosition(s.position, AddTicksSat(tick, 1));
  s.searchStart = AddTicksSat(tick, p.searchStartTicks);
  s.searchEnd = AddTicksSat(tick, p.searchEndTicks);
  s.stimTick = tick;
  s.scan.Restart();
  s.phase = Phase::BoundWindow;
  stimuli.Advance();
  return true;
}

// Phase 1: the window ends at the next stimulus when one comes first. False while that is not yet known.
bool BoundWindow(State& s, StimulusReader& stimuli) {
  stimuli.LiftReadLimit(s.searchEnd);
  const bool hasNext = stimuli.Ready();
  const int32_t next = stimuli.Position();
  if (!hasNext && !s.final && next < s.searchEnd) return false;
  s.searchEnd = std::min(s.searchEnd, next);
  s.phase = Phase::Scan;
  return true;
}

// Phase 2: feeds the window's samples through the ring. False while samples of the window are still to come.
bool ScanWindow(State& s, EEH3::FloatExWrapper& channel) {
  s.endSource = 0;
  channel.LiftReadLimit(s.searchEnd);
  if (channel.Position() < s.stimTick) channel.SeekTo(s.stimTick);
  while (channel.Ready()) {
    const int32_t first = channel.BlockStartTick();
    if (first >= s.searchEnd) {
      s.phase = Phase::WriteFirst;
      return true;
    }
    int32_t count = 0;
    const float* const block = channel.Block(count);
    const int32_t n = std::min(count, s.searchEnd - first);
    ScanTurningPoints(s.scan, block, n, first, s.searchStart);
    channel.Skip(n);
  }
  if (channel.Position() < s.searchEnd && !s.final) return false;
  s.phase = Phase::WriteFirst;
  return true;
}

}  // namespace

void Params::Load(std::wistream& in) {
  searchStartMs = -1.0;
  searchEndMs = -1.0;
  EEH3::ReadSettingsDouble(in, searchStartMs);
  EEH3::ReadSettingsDouble(in, searchEndMs);
  LoadLimits(in);
}

void Params::Save(std::wostream& out) const {
  EEH3::WriteSettingsDouble(out, searchStartMs);
  EEH3::WriteSettingsDouble(out, searchEndMs);
  SaveLimits(out);
}

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  searchStartTicks = searchStartMs >= 0.0 ? MsToTicksByPeriodMs(searchStartMs, tickPeriod) : 0;
  searchEndTicks = searchEndMs >= 0.0 ? MsToTicksByPeriodMs(searchEndMs, tickPeriod) : 1000000;
  if (count >= 1) sources.push_back(std::make_unique<EEH3::FloatExWrapper>(interfaces[0]));
  if (count >= 2) sources.push_back(std::make_unique<StimulusReader>(interfaces[1]));
}

bool Algorithm::Step(State& s, Params& params, Record& out, int32_t stepEnd) {
  auto* const channel =
      params.sources.size() > 1 ? dynamic_cast<EEH3::FloatExWrapper*>(params.sources[0].get()) : nullptr;
  auto* const stimuli = params.sources.size() > 1 ? dynamic_cast<StimulusReader*>(params.sources[1].get()) : nullptr;
  if (!channel || !stimuli) {
    s.position = kRecordEndOffset;
    return false;
  }
  for (;;) {
    switch (s.phase) {
      case Phase::WaitStimulus:
        return TakeStimulus(s, params, *stimuli, out, stepEnd);
      case Phase::BoundWindow:
        if (!BoundWindow(s, *stimuli)) return false;
        break;
      case Phase::Scan:
        if (!ScanWindow(s, *channel)) return false;
        break;
      default: {
        if (s.scan.list.count < 3) {
          s.phase = Phase::WaitStimulus;
          break;
        }
        const int32_t k = static_cast<int32_t>(s.phase) - static_cast<int32_t>(Phase::WriteFirst);
        const TurningPoint& point = s.scan.list.entries[k];
        if (point.tick >= stepEnd) {
          EEH3::RaisePosition(s.position, point.tick);
          return false;
        }
        out = EventPkStm::Peak(point.tick, point.value);
        s.phase = s.phase == Phase::WriteSecond ? Phase::WaitStimulus : static_cast<Phase>(static_cast<int32_t>(s.phase) + 1);
        EEH3::RaisePosition(s.position, AddTicksSat(point.tick, 1));
        return true;
      }
    }
  }
}

}  // namespace ZR::Enum::PSPeakDet
