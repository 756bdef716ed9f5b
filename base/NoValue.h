// No-value markers of event records and the bit-level helpers that write and test them.
#pragma once

#include <cstdint>
#include <cstring>

// The float marker 0x7F886000 is a signalling NaN: it is written and tested by its bits only. Loading it into an
// x87 register (a float returned by value on i686, or float arithmetic) quiets it and changes the bits, so these
// helpers take and fill floats by reference and never return a float that might hold it.

inline constexpr uint32_t kNoValueBits = 0x7F886000u;       // a float32 result cleared by a constructor or reset
inline constexpr uint32_t kStageNoValueBits = 0x7FC30000u;  // a float32 result a stage could not compute
inline constexpr uint64_t kNoValueDoubleBits = 0x7FF8600000000000ull;  // a float64 value without value
inline constexpr int32_t kNoTick = -1;                      // a tick or index without value
inline constexpr int32_t kRecordEndOffset = 0x7FFFFFFF;     // the end of a record's events

inline uint32_t FloatBits(const float& f) noexcept {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

inline uint64_t DoubleBits(const double& d) noexcept {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

inline void SetFloatBits(float& f, uint32_t bits) noexcept { std::memcpy(&f, &bits, sizeof bits); }
inline void SetDoubleBits(double& d, uint64_t bits) noexcept { std::memcpy(&d, &bits, sizeof bits); }

inline void SetNoValue(float& f) noexcept { SetFloatBits(f, kNoValueBits); }
inline void SetStageNoValue(float& f) noexcept { SetFloatBits(f, kStageNoValueBits); }
inline void SetNoValue(double& d) noexcept { SetDoubleBits(d, kNoValueDoubleBits); }

// Any NaN or infinity counts as no value: the exponent bits are all set.
inline bool IsNoValue(const float& f) noexcept { return (FloatBits(f) & 0x7F800000u) == 0x7F800000u; }
inline bool IsNoValue(const double& d) noexcept {
  return (static_cast<uint32_t>(DoubleBits(d) >> 32) & 0x7FF00000u) == 0x7FF00000u;
}

// A float (given by its bits) widened to double as the SSE conversion does, formed by bits so that a signalling
// NaN never passes through a register: a NaN keeps its payload and gains the quiet bit, so 0x7F886000 becomes
// 0x7FF90C0000000000.
inline double WidenFloatBits(uint32_t bits) noexcept {
  double wide;
  if ((bits & 0x7F800000u) == 0x7F800000u && (bits & 0x007FFFFFu) != 0) {
    SetDoubleBits(wide, (static_cast<uint64_t>(bits & 0x80000000u) << 32) | 0x7FF8000000000000ull |
                            (static_cast<uint64_t>(bits & 0x007FFFFFu) << 29));
    return wide;
  }
  float narrow;
  SetFloatBits(narrow, bits);
  wide = static_cast<double>(narrow);
  return wide;
}
