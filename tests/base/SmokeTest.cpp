#include <gtest/gtest.h>
TEST(Smoke, Runs) { EXPECT_EQ(sizeof(wchar_t), 2u); }
