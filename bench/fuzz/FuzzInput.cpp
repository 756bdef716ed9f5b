// Mutation, shrinking and printing of fuzz inputs.
#include "bench/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdio>

namespace fuzz {

namespace {

// Bytes a text parser treats specially.
constexpr char kSpecial[] = "(),+-*/^.eE0123456789 \t\r\n;\"'[]chvrt_";

void InsertAt(std::string* text, size_t at, const std::string& piece) {
  text->insert(std::min(at, text->size()), piece);
}

// A span [from, from + length) of text, possibly empty.
void PickSpan(const std::string& text, Random& random, size_t* from, size_t* length) {
  *from = text.empty() ? 0 : random.Below(text.size());
  const size_t left = text.size() - *from;
  *length = left == 0 ? 0 : 1 + random.Below(std::min<size_t>(left, random.OneIn(4) ? left : 16));
}

std::string AwkwardByte(Random& random) {
  switch (random.Below(4)) {
    case 0: return std::string(1, static_cast<char>(random.Below(256)));
    case 1: return std::string(1, '\0');
    case 2: return "\xC3\xA9";  // a character beyond ASCII
    default: return std::string(1, kSpecial[random.Below(sizeof kSpecial - 1)]);
  }
}

std::vector<std::pair<size_t, size_t>> Lines(const std::string& text) {
  std::vector<std::pair<size_t, size_t>> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n') {
      lines.emplace_back(start, i - start);
      start = i + 1;
    }
  }
  return lines;
}

void MutateLines(std::string* text, Random& random) {
  const auto lines = Lines(*text);
  const auto [from, length] = lines[random.Below(lines.size())];
  const std::string line = text->substr(from, length) + "\n";
  switch (random.Below(3)) {
    case 0: InsertAt(text, from, random.OneIn(2) ? line : std::string("\n")); break;  // duplicate, or a blank line
    case 1: text->erase(from, std::min(length + 1, text->size() - from)); break;
    default: {
      const auto [to, otherLength] = lines[random.Below(lines.size())];
      if (to > from) InsertAt(text, to, line);
      (void)otherLength;
    }
  }
}

void MutateOnce(std::string* text, const std::vector<std::string>& seeds, const Dictionary& words,
                Random& random) {
  size_t from = 0, length = 0;
  PickSpan(*text, random, &from, &length);
  switch (random.Below(8)) {
    case 0:
      if (length > 0) text->replace(from, 1, AwkwardByte(random));
      break;
    case 1: InsertAt(text, from, AwkwardByte(random)); break;
    case 2:
      if (!words.words.empty()) InsertAt(text, from, words.words[random.Below(words.words.size())]);
      break;
    case 3: text->erase(from, length); break;
    case 4: InsertAt(text, from + length, text->substr(from, length)); break;
    case 5: {  // swap two spans: stages or columns change places
      size_t other = 0, otherLength = 0;
      PickSpan(*text, random, &other, &otherLength);
      if (other < from) std::swap(other, from), std::swap(otherLength, length);
      if (from + length > other) break;
      const std::string first = text->substr(from, length), second = text->substr(other, otherLength);
      text->replace(other, otherLength, first);
      text->replace(from, length, second);
      break;
    }
    case 6: MutateLines(text, random); break;
    default: {  // splice a span of another seed
      const std::string& seed = seeds[random.Below(seeds.size())];
      size_t at = 0, count = 0;
      PickSpan(seed, random, &at, &count);
      text->replace(from, length, seed.substr(at, count));
    }
  }
}

}  // namespace

std::string Mutate(const std::string& text, const std::vector<std::string>& seeds, const Dictionary& words,
                   Random& random) {
  std::string result = text;
  // Mostly one or two changes, so that many inputs still parse and reach the code behind the parser.
  const size_t rounds = random.OneIn(4) ? 3 + random.Below(2) : 1 + random.Below(2);
  for (size_t i = 0; i < rounds; ++i) MutateOnce(&result, seeds, words, random);
  if (result.size() > kMaxInputBytes) result.resize(kMaxInputBytes);
  return result;
}

std::string Shrink(const std::string& input, const std::function<bool(const std::string&)>& stillFails,
                   int maxTries) {
  std::string best = input;
  int tries = 0;
  for (size_t span = std::max<size_t>(best.size() / 2, 1); span >= 1 && tries < maxTries;) {
    bool shrank = false;
    for (size_t at = 0; at < best.size() && tries < maxTries;) {
      std::string candidate = best;
      candidate.erase(at, span);
      ++tries;
      if (stillFails(candidate)) {
        best = std::move(candidate);
        shrank = true;
      } else {
        at += span;
      }
    }
    if (!shrank && span == 1) break;
    if (!shrank) span /= 2;
    span = std::min(span, std::max<size_t>(best.size(), 1));
  }
  return best;
}

std::string Printable(const std::string& input, size_t maxBytes) {
  std::string out;
  for (size_t i = 0; i < input.size() && i < maxBytes; ++i) {
    const unsigned char c = static_cast<unsigned char>(input[i]);
    if (c == '\\') {
      out += "\\\\";
    } else if (c >= 0x20 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    }
  }
  if (input.size() > maxBytes) out += "... (" + std::to_string(input.size()) + " bytes)";
  return out;
}

uint64_t HashInput(const std::string& input) {
  uint64_t hash = 0xCBF29CE484222325ull;  // FNV-1a
  for (const char c : input) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  return hash;
}

}  // namespace fuzz
