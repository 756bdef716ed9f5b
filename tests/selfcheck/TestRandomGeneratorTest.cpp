// The checks' random generator: a fixed sequence per start value (values from
// tests/data/test_random_sequence.py), and its range.
#include <gtest/gtest.h>

#include "selfcheck/TestRandomGenerator.h"

#include <climits>

namespace {

// The first eight numbers for start values 0 and 12345 (tests/data/test_random_sequence.txt).
constexpr float kFromZero[] = {0.415999353f, 0.091964893f, 0.75641048f, 0.52970022f,
                               0.930436492f, 0.383502066f, 0.653918982f, 0.0668422356f};
constexpr float kFrom12345[] = {0.923120558f, 0.333146602f, 0.197888419f, 0.949421704f,
                                0.783800364f, 0.983884633f, 0.914130032f, 0.583283305f};

}  // namespace

TEST(TestRandomGenerator, GivesTheReferenceSequenceForEachStartValue) {
  struct Case {
    int32_t start;
    const float* expected;
  };
  // A negative start counts by its magnitude; the smallest one steps like start 1, with no
  // overflow on the way.
  for (const Case c : {Case{0, kFromZero}, Case{1, kFromZero}, Case{-1, kFromZero}, Case{12345, kFrom12345},
                       Case{-12345, kFrom12345}, Case{INT32_MIN, kFromZero}}) {
    SelfCheck::TestRandomGenerator generator(c.start);
    for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(c.expected[i], generator.Next()) << c.start << " #" << i;
  }
}

TEST(TestRandomGenerator, StaysInsideItsRangeAndRestartsOnStart) {
  SelfCheck::TestRandomGenerator generator(987654);
  for (int i = 0; i < 200000; ++i) {
    const float r = generator.Next();
    ASSERT_GT(r, 0.0f) << i;
    ASSERT_LE(r, 0.99999988f) << i;
  }
  generator.Start(0);
  EXPECT_FLOAT_EQ(kFromZero[0], generator.Next());
  // draw(n) lies in 0..n; draw(-1) is 0.
  for (int i = 0; i < 1000; ++i) {
    const int32_t d = generator.Draw(3);
    ASSERT_GE(d, 0);
    ASSERT_LE(d, 3);
    ASSERT_EQ(0, generator.Draw(-1));
  }
}
