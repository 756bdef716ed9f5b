// The region limits of a settings text (start record, start tick, end record, end tick) as the enumerators
// that are not built on the template keep them.
#pragma once

#include <cstdint>
#include <iosfwd>

namespace EEH3 {

// -1 each until read. The settings text holds them as doubles in the order start record, start tick,
// end record, end tick.
struct RegionLimits {
  int32_t startTick = -1;
  int32_t startRecord = -1;
  int32_t endTick = -1;
  int32_t endRecord = -1;

  // Reads the four doubles (an unreadable one takes its default: 0, 0, 2147483647, 2147483647), each rounded
  // half away from zero with saturation.
  void Read(std::wistream& in);
  // Writes the four doubles in the settings number format.
  void Write(std::wostream& out) const;
  // A negative start becomes 0 and a negative end 0x7FFFFFFF.
  void OpenNegatives() noexcept;
  // All four 0 (the analysis's text for "no region") become -1, then OpenNegatives: no limits.
  void Normalise() noexcept;
};

}  // namespace EEH3
