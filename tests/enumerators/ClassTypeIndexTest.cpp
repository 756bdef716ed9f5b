// The cached class index: kept once the registry has answered, asked again while it could not be reached.
#include "enumerators/framework/ClassTypeIndex.h"

#include <gtest/gtest.h>

TEST(ClassIndexCache, KeepsAnIndexButNotAFailure) {
  static int calls = 0;
  static uint16_t answer = 0;
  calls = 0;
  answer = 0;
  const auto lookup = [](const GUID&) -> uint16_t {
    ++calls;
    return answer;
  };
  const GUID id = {0x1, 0x2, 0x3, {0, 1, 2, 3, 4, 5, 6, 7}};
  CalcEnums::ClassIndexCache cache;
  EXPECT_EQ(cache.Get(id, lookup), 0);  // the registry cannot be reached yet
  answer = 42;
  EXPECT_EQ(cache.Get(id, lookup), 42);
  answer = 7;
  EXPECT_EQ(cache.Get(id, lookup), 42);
  EXPECT_EQ(calls, 2);
}
