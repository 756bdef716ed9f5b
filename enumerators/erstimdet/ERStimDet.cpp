// ERStimDet: parameters, sources and the step over the channel reader.
#include "enumerators/erstimdet/ERStimDet.h"

#include "base/TickConversion.h"
#include "enumerators/framework/FloatExWrapper.h"

#include <memory>

namespace ZR::Enum::ERStimDet {

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  for (int32_t i = 0; i < count && interfaces; ++i)
    sources.push_back(std::make_unique<EEH3::FloatExWrapper>(interfaces[i]));
  widthTicks = MsToTicksByPeriodMs(widthMs, tickPeriod);
  if (widthTicks < 0) widthTicks = 2147483647;
  skipTicks = MsToTicksByPeriodMs(skipMs, tickPeriod);
  if (skipTicks < 0) skipTicks = 0;
  minGapTicks = MsToTicksByPeriodMs(minGapMs, tickPeriod);
}

StimRules Params::Rules() const noexcept {
  StimRules rules;
  rules.height = height;
  rules.widthTicks = widthTicks;
  rules.skipTicks = skipTicks;
  rules.minGapTicks = minGapTicks;
  rules.oneStimPerBlock = oneStimPerBlock;
  return rules;
}

bool Algorithm::Step(State& state, Params& params, EventPkStm& out, int32_t stepEnd) {
  auto* const reader = params.sources.empty()
                           ? nullptr
                           : dynamic_cast<EEH3::FloatExWrapper*>(params.sources[0].get());
  if (!reader || !reader->HasSource() || state.final) {
    state.position = kRecordEndOffset;
    return false;
  }
  StimScanState scan{state.rising, state.falling, state.lastStimTick, state.position, state.level};
  const StimRules rules = params.Rules();
  StimScanResult result;
  while (reader->Ready()) {
    int32_t available = 0;
    const float* const block = reader->Block(available);
    result = ScanStimBlock(scan, rules, block, static_cast<uint32_t>(available),
                           reader->BlockStartTick(), stepEnd, kRecordEndOffset);
    reader->Skip(static_cast<int32_t>(result.consumed));
    if (result.found || result.consumed < static_cast<uint32_t>(available)) break;
  }
  state.rising = scan.rising;
  state.falling = scan.falling;
  state.lastStimTick = scan.lastStimTick;
  state.position = scan.position;
  state.level = scan.level;
  if (!result.found) return false;
  out = EventPkStm::Stimulus(static_cast<double>(result.stimTick));
  return true;
}

}  // namespace ZR::Enum::ERStimDet
