// Damaged copies of a documents file: bytes cut, flipped, changed, inserted and deleted anywhere,
// and fields changed where they lie (value texts, ids, group channels and counts, versions and
// markers), each with the lengths around it kept consistent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sweep {

struct Variant {
  std::string family;  // "cut", "bit", "byte", "insert", "delete", "text", "id", "group", "version"
  std::string what;    // where and how, for a reproducer's name
  std::vector<uint8_t> bytes;
};

// About `perFamily` variants of each byte family (every position when the file is smaller) and
// every field variant the file's layout offers; the same seed gives the same variants.
std::vector<Variant> MakeVariants(const std::vector<uint8_t>& file, size_t perFamily, uint64_t seed);

}  // namespace sweep
