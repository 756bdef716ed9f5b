// The parameters every template enumerator keeps: region limits, the settings' leading integer, what
// SetSources gave, and the source readers.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <vector>

#include <unknwn.h>

#include "enumerators/framework/SourceEnum.h"

namespace EEH3 {

class ParamsBase {
 public:
  ParamsBase() = default;
  // Copies every field but the sources: a copy starts without readers.
  ParamsBase(const ParamsBase& other);
  ParamsBase& operator=(const ParamsBase&) = delete;
  virtual ~ParamsBase() = default;

  // The family's parameters and then the limits (LoadLimits), from a settings stream.
  virtual void Load(std::wistream& in) = 0;
  // The family's parameters and then the limits (SaveLimits).
  virtual void Save(std::wostream& out) const = 0;
  // Wraps the given interfaces in readers and appends them to sources.
  virtual void AddSources(int32_t count, IUnknown** interfaces) = 0;

  // Reads start record, start tick, end record, end tick as doubles (defaults 0, 0, 2147483647 each when
  // unreadable), rounded half away from zero with saturation.
  void LoadLimits(std::wistream& in);
  // Writes start record, start tick, end record, end tick as doubles, then a terminating null character.
  void SaveLimits(std::wostream& out) const;
  // All four 0 become -1; then a negative start becomes 0 and a negative end 0x7FFFFFFF.
  void NormaliseLimits() noexcept;
  void ResetLimits() noexcept { startTick = startRecord = endTick = endRecord = -1; }

  // The record's window: [lower, upper) ticks an event may lie in (upper 0 when the record is outside).
  int32_t WindowLower(int32_t recordIndex) const noexcept;
  int32_t WindowUpper(int32_t recordIndex) const noexcept;

  int32_t startTick = -1;
  int32_t startRecord = -1;
  int32_t endTick = -1;
  int32_t endRecord = -1;
  int32_t leadingValue = 0;
  int32_t sourceCount = 0;
  double tickPeriod = 0.0;
  int32_t record = 0;
  IUnknown* dataDocument = nullptr;  // the enumerator's data context, not counted (kept as given)
  std::vector<std::unique_ptr<eeh_SourceEnum>> sources;
};

// Reads one double; false (and the stream cleared for nothing further) when it cannot be read.
bool ReadSettingsDouble(std::wistream& in, double& value);
// Writes one double in the settings format (round-trip precision, classic locale, a blank after it).
void WriteSettingsDouble(std::wostream& out, double value);

}  // namespace EEH3
