// The middle of a few hundred numbers >= 0 without comparing one with another, for the noise measures of a rise's
// foot (RiseFoot.cpp), which take a median for every event.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ZR::Enum::CalcBase {

// The middle (the (n / 2)-th smallest, counted from 0: what std::nth_element leaves there) of n >= 1 numbers >= 0
// given by their bits (uint32_t for floats, uint64_t for doubles), which order as the numbers do: found a byte at a
// time from the highest, each pass keeping those whose byte there is the middle's. bits is reordered.
template <typename Bits>
Bits MiddleOfNonNegative(Bits* bits, size_t n) {
  size_t left = n / 2;  // those below the middle among the ones kept
  for (int shift = 8 * static_cast<int>(sizeof(Bits)) - 8; shift >= 0 && n > 1; shift -= 8) {
    uint32_t count[256] = {};
    for (size_t i = 0; i < n; ++i) ++count[(bits[i] >> shift) & 255u];
    uint32_t byte = 0;
    while (left >= count[byte]) left -= count[byte++];
    size_t kept = 0;
    for (size_t i = 0; i < n; ++i) {  // no branch on the byte: which are kept is as good as random
      bits[kept] = bits[i];
      kept += ((bits[i] >> shift) & 255u) == byte;
    }
    n = kept;
  }
  return bits[0];
}

}  // namespace ZR::Enum::CalcBase
