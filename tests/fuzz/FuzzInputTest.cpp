// Fuzz inputs: repeatable mutation, shrinking to the smallest failing input, printable reports.
#include "bench/fuzz/FuzzInput.h"

#include <gtest/gtest.h>

namespace fuzz {
namespace {

TEST(FuzzInput, SameSeedGivesSameMutations) {
  const std::vector<std::string> seeds = {"cappeakdet(ch1,0.3)", "calcbase(ch1,cappeakdet(ch1))"};
  Dictionary words;
  words.words = {"ch2", "-1", std::string(5000, '9')};
  Random first(42), second(42), other(43);
  bool differs = false;
  for (int i = 0; i < 2000; ++i) {
    const std::string a = Mutate(seeds[i % 2], seeds, words, first);
    EXPECT_EQ(a, Mutate(seeds[i % 2], seeds, words, second)) << i;
    differs = differs || a != Mutate(seeds[i % 2], seeds, words, other);
    EXPECT_LE(a.size(), kMaxInputBytes);
  }
  EXPECT_TRUE(differs);
}

TEST(FuzzInput, ShrinksToTheSmallestFailingInput) {
  const auto fails = [](const std::string& s) { return s.find('X') != std::string::npos && s.find('Y') != std::string::npos; };
  EXPECT_EQ(Shrink("abcXdefghijklmnopYqrs", fails, 1000), "XY");
  int calls = 0;
  const std::string capped = Shrink(std::string(1000, 'a') + "XY", [&](const std::string& s) { return ++calls, fails(s); }, 10);
  EXPECT_EQ(calls, 10);
  EXPECT_TRUE(fails(capped));
}

TEST(FuzzInput, PrintsInputsEscapedAndCut) {
  EXPECT_EQ(Printable(std::string("a\0\\\xC3", 4), 10), "a\\x00\\\\\\xC3");
  EXPECT_EQ(Printable(std::string(12, 'x'), 5), "xxxxx... (12 bytes)");
}

}  // namespace
}  // namespace fuzz
