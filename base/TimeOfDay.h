// TimeOfDay: a time split into hours, minutes and seconds for the labels of time scales, with the
// flags saying what kind of time it is and the format word saying how it is shown.
#pragma once

#include <cstdint>

namespace QOR {

// Value flags: the low byte is the kind of time.
inline constexpr uint32_t kTimeKindMask = 0xFF;
inline constexpr uint32_t kTimeKindElapsed = 1;        // since a reference time base
inline constexpr uint32_t kTimeKindElapsedPlain = 2;
inline constexpr uint32_t kTimeKindOfDay = 3;
inline constexpr uint32_t kTimeTotalSeconds = 1u << 28;  // the seconds field holds the whole value
inline constexpr uint32_t kTimeMilliseconds = 1u << 29;  // shown in ms (not for a time of day)
inline constexpr uint32_t kTimeUniversal = 1u << 30;
inline constexpr uint32_t kTimePlainSeconds = 1u << 31;

// Format word bits.
inline constexpr uint32_t kTimeFormatLetters = 0x80000;       // "1h2m3s" for an elapsed time
inline constexpr uint32_t kTimeFormatKeepZeros = 0x100000;    // trailing zeros of the fraction
inline constexpr uint32_t kTimeFormatAllowUT = 0x200000;
inline constexpr uint32_t kTimeFormatModulo24 = 0x2000000;
inline constexpr uint32_t kTimeFormat12Hour = 0x4000000;
inline constexpr uint32_t kTimeFormatAllFields = 0x8000000;  // h:mm:ss with at least one decimal
inline constexpr uint32_t kTimeFormatUnits = 0x10000000;     // " ms" and " s"
inline constexpr uint32_t kTimeFormatElapsed = 0x20000000;

struct TimeOfDay {
  double seconds = 0.0;  // 0 <= seconds < 60, or the whole value in total-seconds mode
  uint32_t valueFlags = 0;
  uint32_t format = 0;
  int32_t minutes = 0;
  int32_t hours = 0;
  int32_t precision = 6;              // decimals shown for the seconds
  double roundingThreshold = 0.51e-6;  // 0.51 x 10^-precision seconds
  // How much the fields exceed the true time after a carry into the next minute (negated for a
  // negative time); it belongs to the last time set.
  double carryCorrection = 0.0;
  uint8_t negative = 0;

  // Splits a time in seconds into the fields (hours saturate at the 32-bit range). Seconds that would show as 60 at the record's
  // precision are carried into the next minute, the carry correction keeping the exact value.
  void Set(double value);
  // The time the record stands for; with modulo24 the hours count modulo 24.
  double ExactValue(bool modulo24) const;
  double ExactValue() const { return ExactValue((format & kTimeFormatModulo24) != 0); }
  // Moves the record by delta seconds, carrying whole minutes and changing sign across zero.
  void AddSeconds(double delta);
};

}  // namespace QOR
