// SI prefix letters, their powers of ten and the host's prefix indexes.
#include "base/UnitPrefix.h"

#include <gtest/gtest.h>

namespace {

using namespace QOR;

TEST(UnitPrefix, EveryLetterHasItsExactPowerOfTen) {
  const struct {
    wchar_t letter;
    int exponent;
    double multiplier;
  } cases[] = {{L'E', 18, 1e18},  {L'T', 12, 1e12}, {L'm', -3, 1e-3},        {L'u', -6, 1e-6},
               {kMicroSign, -6, 1e-6}, {L'f', -15, 1e-15}, {L'a', -18, 1e-18}, {0, 0, 1.0},
               {L'x', 0, 1.0},   {L'K', 0, 1.0}};
  for (const auto& c : cases) {
    EXPECT_EQ(PrefixExponent(c.letter), c.exponent) << static_cast<int>(c.letter);
    // Exactly the double nearest the power: tooltips divide by it.
    EXPECT_EQ(PrefixMultiplier(c.letter), c.multiplier) << static_cast<int>(c.letter);
  }
}

TEST(UnitPrefix, HostIndexesMapBothWays) {
  for (int32_t index = 2; index <= 11; ++index) {
    if (index == 8) continue;
    EXPECT_EQ(PrefixIndexFromLetter(PrefixLetterFromIndex(index)), index) << index;
  }
  EXPECT_EQ(PrefixIndexFromLetter(0), 1);
  EXPECT_EQ(PrefixIndexFromLetter(L'u'), 6);
  EXPECT_EQ(PrefixIndexFromLetter(kMicroSign), 6);
  EXPECT_EQ(PrefixLetterFromIndex(6), kMicroSign);
  EXPECT_EQ(PrefixLetterFromIndex(7), L'm');
  // Index 8 sits between m and k without a letter; E, P, T and foreign letters have no index.
  for (const int32_t index : {1, 8, 0, 12, -1}) EXPECT_EQ(PrefixLetterFromIndex(index), 0) << index;
  for (const wchar_t letter : {L'E', L'P', L'T', L'x'}) EXPECT_EQ(PrefixIndexFromLetter(letter), 0) << letter;
}

TEST(UnitPrefix, FormatPutsTheLetterBeforeTheBaseUnit) {
  EXPECT_EQ(FormatUnitPrefix({L"V", L'm'}), L"mV");
  EXPECT_EQ(FormatUnitPrefix({L"A", kMicroSign}), L"\u00B5A");
  EXPECT_EQ(FormatUnitPrefix({L"mmHg", 0}), L"mmHg");
  EXPECT_EQ(FormatUnitPrefix({L"", 0}), L"");
}

}  // namespace
