// Fuzz inputs: a repeatable random source, the mutations of a text, and the shrinking of an input
// that fails to the smallest that still fails the same way.
#pragma once

#include "bench/fuzz/SeededRandom.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fuzz {

// What a mutation may insert: words of the input's language and awkward values.
struct Dictionary {
  std::vector<std::string> words;
};

// Inputs are at most this long; mutations that would grow one further are cut.
constexpr size_t kMaxInputBytes = 64 * 1024;

// One to four mutations of text: byte changes, dictionary words, deletions, duplications, swaps of
// two spans, line operations and splices from another seed.
std::string Mutate(const std::string& text, const std::vector<std::string>& seeds, const Dictionary& words,
                   Random& random);

// The smallest input found (by removing spans, then single bytes) for which stillFails answers true,
// within maxTries calls.
std::string Shrink(const std::string& input, const std::function<bool(const std::string&)>& stillFails,
                   int maxTries);

// The input for a report: printable ASCII as it is, anything else escaped; at most maxBytes shown.
std::string Printable(const std::string& input, size_t maxBytes);

// A hash of the input, for choices that must follow the input when it is run again.
uint64_t HashInput(const std::string& input);

}  // namespace fuzz
