// Tests of the pointer arrays: growth rules, removal and ownership.
#include "base/CIArray.h"
#include "base/InterfaceArray.h"

#include <gtest/gtest.h>

namespace {

TEST(CArrayVoidP, SetCountGrowsByBlocksOrDoubling) {
  struct Row {
    uint32_t capacity, growth;
    bool doubling;
    uint32_t n, expected;
  };
  const Row rows[] = {
      {8, 8, false, 8, 8},     // fits: capacity kept
      {8, 8, false, 9, 16},    // (9 / 8 + 1) * 8
      {20, 8, true, 21, 40},   // twice 20 beats 24
      {4, 8, true, 30, 32},    // (30 / 8 + 1) * 8 beats twice 4
      {0, 0, false, 3, 8},     // a growth block of 0 becomes 8
  };
  for (const Row& row : rows) {
    CArrayVoidP array(0, row.growth, row.doubling, row.capacity);
    array.SetCount(row.n);
    EXPECT_EQ(array.Capacity(), row.expected) << "n " << row.n << " capacity " << row.capacity;
    EXPECT_EQ(array.Count(), row.n);
    for (uint32_t i = 0; i < row.n; ++i) EXPECT_EQ(array[i], nullptr) << i;
  }
}

TEST(CArrayVoidP, ElementAtGrowsTheCount) {
  CArrayVoidP array(0, 8, false, 0);
  int value = 0;
  *array.ElementAt(5) = &value;
  EXPECT_EQ(array.Count(), 6u);
  EXPECT_EQ(array.Capacity(), 13u);  // growth block + index
  for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(array[i], nullptr) << i;
  EXPECT_EQ(array[5], &value);
}

TEST(CArrayVoidP, AddAndRemoveRange) {
  CArrayVoidP array(0, 2, false, 0);
  int values[5] = {};
  for (int& v : values) array.Add(&v);
  EXPECT_EQ(array.Count(), 5u);
  EXPECT_FALSE(array.RemoveRange(2, 2));
  EXPECT_TRUE(array.RemoveRange(1, 3));
  ASSERT_EQ(array.Count(), 3u);
  EXPECT_EQ(array[0], &values[0]);
  EXPECT_EQ(array[1], &values[3]);
  EXPECT_EQ(array[2], &values[4]);
}

struct Tracked {
  explicit Tracked(int* deaths) : deaths(deaths) {}
  ~Tracked() { ++*deaths; }
  int* deaths;
};

TEST(CIArray, DeletesItsObjects) {
  int deaths = 0;
  {
    CIArray<Tracked> array;
    for (int i = 0; i < 4; ++i) array.Add(new Tracked(&deaths));
    array.RemoveRange(0, 1);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(array.At(0)->deaths, &deaths);
  }
  EXPECT_EQ(deaths, 4);
}

class CountedUnknown final : public IUnknown {
 public:
  LONG count = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++count); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--count); }
};

TEST(InterfaceArray, HoldsOneReferenceEach) {
  CountedUnknown a, b, c;
  {
    InterfaceArray<IUnknown> array;
    array.Add(&a);
    array.Add(&b);
    array.Add(&c);
    EXPECT_EQ(a.count, 2);
    array.RemoveAt(1);
    EXPECT_EQ(b.count, 1);
    ASSERT_EQ(array.Count(), 2u);
    EXPECT_EQ(array.At(1), &c);
    array.RemoveAt(7);
    EXPECT_EQ(array.Count(), 2u);
  }
  EXPECT_EQ(a.count, 1);
  EXPECT_EQ(c.count, 1);
}

}  // namespace
