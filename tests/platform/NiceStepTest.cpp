// QOR::NiceStepUp and NiceStepDown: 1-2-5 steps within a decade, truncating the mantissa.
#include "platform/uihelpers/NiceStep.h"

#include <gtest/gtest.h>

TEST(NiceStep, StepsUpAndDownWithinTheDecade) {
  struct Case {
    double value;
    int decade;
    double up;
    double down;
  } const cases[] = {
      {0.23, -1, 0.5, 0.1},   // m 2
      {0.14, -1, 0.2, 0.05},  // m 1
      {97, 1, 100, 50},       // m 9 (rounding would give 20 and 200)
      {700, 2, 1000, 500},    // m 7
      {200, 2, 500, 100},
      {100, 2, 200, 50},
      {0.0004, -3, 0.002, 0},  // m 0
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(QOR::NiceStepUp(c.value, c.decade), c.up) << c.value << " decade " << c.decade;
    EXPECT_DOUBLE_EQ(QOR::NiceStepDown(c.value, c.decade), c.down) << c.value << " decade " << c.decade;
  }
  EXPECT_DOUBLE_EQ(QOR::NiceStepUp(97.0), 100.0);  // its own decade
  EXPECT_DOUBLE_EQ(QOR::NiceStepDown(0.23), 0.1);
}
