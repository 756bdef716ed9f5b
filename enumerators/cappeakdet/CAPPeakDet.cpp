// CAPPeakDet's parameters and its step over the channel reader.
#include "enumerators/cappeakdet/CAPPeakDet.h"

#include <istream>
#include <memory>
#include <ostream>

#include "base/TickConversion.h"

namespace ZR::Enum::CAPPeakDet {

void Params::Load(std::wistream& in) {
  minHeight = 0.0;
  minWidthMs = -1.0;
  EEH3::ReadSettingsDouble(in, minHeight);
  EEH3::ReadSettingsDouble(in, minWidthMs);
  if (!(minHeight >= 1e-30)) minHeight = 1e-30;  // also a NaN
  LoadLimits(in);
}

void Params::Save(std::wostream& out) const {
  EEH3::WriteSettingsDouble(out, minHeight);
  EEH3::WriteSettingsDouble(out, minWidthMs);
  SaveLimits(out);
}

void Params::AddSources(int32_t count, IUnknown** interfaces) {
  if (count >= 1) {
    auto reader = std::make_unique<EEH3::FloatExWrapper>(interfaces[0]);
    if (sources.empty()) mChannel = reader.get();
    sources.push_back(std::move(reader));
  }
  minWidthTicks = minWidthMs > 0.0 ? MsToTicksByPeriodMs(minWidthMs, tickPeriod) : 0;
}

bool Algorithm::Step(State& state, Params& params, Record& out, int32_t stepEnd) {
  EEH3::FloatExWrapper* const reader = params.Channel();
  if (!reader) {
    state.position = kRecordEndOffset;
    return false;
  }
  PeakScanState& scan = state.scan;
  if (state.final && scan.phase != kPeakConfirmed) {
    state.position = kRecordEndOffset;
    return false;
  }
  const PeakScanParams scanParams{params.minHeight, params.minWidthTicks};
  while (scan.phase != kPeakConfirmed && reader->Ready()) {
    int32_t count = 0;
    const float* const block = reader->Block(count);
    reader->Skip(ScanPeaks(scan, state.position, scanParams, block, count, reader->BlockStartTick()));
  }
  if (scan.phase == kPeakConfirmed) {
    if (scan.peakTick < stepEnd) {
      out = EventPkStm::Peak(scan.peakTick, scan.peakValue);
      scan.phase = kRestart;
      EEH3::RaisePosition(state.position, AddTicksSat(scan.fallTick, 1));
      return true;
    }
    EEH3::RaisePosition(state.position, stepEnd);
    return false;
  }
  int32_t candidate = scan.phase == kPeakCandidate ? scan.peakTick - 1 : reader->Position();
  if (reader->AtEnd()) candidate = kRecordEndOffset;
  EEH3::RaisePosition(state.position, candidate);
  return false;
}

}  // namespace ZR::Enum::CAPPeakDet
