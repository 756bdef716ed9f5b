// The record pixel map of a table section: one record from position 0, lead-in offsets, the
// record search, and its place in the host's interface table.
#include "grid/TVF_PixMap.h"

#include "grid/TableDataContract.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>
#include <new>
#include <tuple>
#include <vector>

// While set, the program's next allocation fails once (the tests run on one thread).
static bool gFailNextNew = false;

void* operator new(std::size_t size) {
  if (gFailNextNew) {
    gFailNextNew = false;
    throw std::bad_alloc();
  }
  if (void* const block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

// Row counts of a section, counted so the test sees the map release it.
class RowSource final : public ITableStoredRowInfo {
 public:
  int32_t rows = 12;
  LONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_ITableStoredRowInfo)) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE GetRowCount(uint32_t section, int32_t* count) override {
    *count = section == 8 ? rows : 0;
    return S_OK;
  }
};

class PixMapTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(S_OK, TVF_PixMap::Create(&mRows, 1, 1, 8, &mMap)); }
  void TearDown() override {
    EXPECT_EQ(0u, mMap->Release());
    EXPECT_EQ(1, mRows.refs) << "the row info is released with the map";
  }
  // Record, offset and answer of a position.
  std::tuple<int32_t, int64_t, HRESULT> Locate(int64_t position) {
    PixMapRecordPosition where{-7, -7};
    int64_t end = -7;
    const HRESULT hr = mMap->PositionToRecord(position, &where, &end);
    EXPECT_EQ(TotalLength(), end) << "the one record ends with the table";
    return {where.record, where.offset, hr};
  }
  int64_t TotalLength() {
    int64_t length = -1;
    mMap->GetTotalLength(&length);
    return length;
  }

  RowSource mRows;
  IRecordDataPixMap* mMap = nullptr;
};

using Located = std::tuple<int32_t, int64_t, HRESULT>;

TEST_F(PixMapTest, TheTableIsOneRecordOfItsDataRows) {
  int32_t count = 0;
  EXPECT_EQ(S_OK, mMap->GetRecordCount(&count));
  EXPECT_EQ(1, count);
  EXPECT_EQ(11, TotalLength()) << "12 rows below 1 fixed row";
  EXPECT_EQ(Located(0, 0, S_OK), Locate(0));
  EXPECT_EQ(Located(0, 10, S_OK), Locate(10));
  EXPECT_EQ(Located(0, 11, S_FALSE), Locate(11)) << "past the end";
  EXPECT_EQ(Located(0, -3, S_FALSE), Locate(-3));
  EXPECT_EQ(Located(0, INT64_MAX, S_FALSE), Locate(INT64_MAX));
  int64_t start = 0, end = 0;
  EXPECT_EQ(S_OK, mMap->GetRecordRange(0, &start, &end));
  EXPECT_EQ(0, start);
  EXPECT_EQ(11, end);
  EXPECT_EQ(S_FALSE, mMap->GetRecordRange(1, &start, &end));
  EXPECT_EQ(INT64_MIN, start);
  EXPECT_EQ(INT64_MIN, end);
  mRows.rows = 30;
  EXPECT_EQ(29, TotalLength()) << "the client's row count is read again";
  mRows.rows = 0;
  EXPECT_EQ(0, TotalLength()) << "fewer rows than fixed rows: an empty record";
}

TEST_F(PixMapTest, OffsetsPutALeadInBeforeTheDataAndTheAppendPosition) {
  EXPECT_EQ(E_INVALIDARG, mMap->SetOffset(3, 5));
  EXPECT_EQ(11, TotalLength());
  ASSERT_EQ(S_OK, mMap->SetOffset(0, 4));
  EXPECT_EQ(S_OK, mMap->SetOffset(1, 9)) << "later records only; the table has none";
  EXPECT_EQ(15, TotalLength());
  EXPECT_EQ(Located(0, 2, S_OK), Locate(6));
  EXPECT_EQ(Located(0, -4, S_OK), Locate(0));
  int64_t start = 0, end = 0;
  mMap->GetRecordRange(0, &start, &end);
  EXPECT_EQ(-4, start);
  int64_t offset = 0;
  PixMapRowPosition row{-7, -7};
  for (const int32_t mode : {0, 1}) {
    EXPECT_EQ(S_OK, mMap->PositionToRow(mode, 1, &offset, &row)) << mode;
    EXPECT_EQ(-3, offset);
    EXPECT_EQ(0, row.row) << "a lead-in position shows the first row";
    EXPECT_EQ(0, row.record) << "there is no record before the first";
  }
  EXPECT_EQ(S_OK, mMap->PositionToRow(0, 7, &offset, &row));
  EXPECT_EQ(3, row.row);
  int64_t position = 0;
  EXPECT_EQ(S_FALSE, mMap->GetAppendPosition(0, &position)) << "not appending";
  EXPECT_EQ(15 + 4, position) << "after the record's end and lead-in";
  EXPECT_EQ(S_OK, mMap->BeginAppend(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(S_OK, mMap->GetAppendPosition(0, &position));
  EXPECT_EQ(4, position) << "appending: the start of the record's data";
}

// Laying the record out allocates once; a failure there is the call's E_OUTOFMEMORY, and the
// next call lays it out.
TEST_F(PixMapTest, AnAllocationFailureAnswersOutOfMemory) {
  int64_t a = 0, b = 0;
  int32_t count = 0;
  PixMapRecordPosition where{};
  const std::function<HRESULT(IRecordDataPixMap*)> calls[] = {
      [&](IRecordDataPixMap* map) { return map->BeginAppend(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0); },
      [&](IRecordDataPixMap* map) { return map->Rebuild(0); },
      [&](IRecordDataPixMap* map) { return map->GetTotalLength(&a); },
      [&](IRecordDataPixMap* map) { return map->GetRecordCount(&count); },
      [&](IRecordDataPixMap* map) { return map->PositionToRecord(0, &where, &a); },
      [&](IRecordDataPixMap* map) { return map->GetRecordRange(0, &a, &b); },
  };
  for (size_t i = 0; i < std::size(calls); ++i) {
    IRecordDataPixMap* map = nullptr;
    ASSERT_EQ(S_OK, TVF_PixMap::Create(&mRows, 1, 1, 8, &map));
    gFailNextNew = true;
    const HRESULT failed = calls[i](map);
    EXPECT_FALSE(gFailNextNew) << "call " << i << " allocated";
    EXPECT_EQ(E_OUTOFMEMORY, failed) << "call " << i;
    EXPECT_EQ(S_OK, calls[i](map)) << "call " << i;
    EXPECT_EQ(0u, map->Release());
  }
}

TEST_F(PixMapTest, SlotsKeepTheirPlacesInTheHostTable) {
  ASSERT_EQ(S_OK, mMap->SetScale(3, 4));
  void** const table = *reinterpret_cast<void***>(mMap);
  PixMapScale scale{};
  using GetScaleSlot = HRESULT(STDMETHODCALLTYPE*)(IRecordDataPixMap*, PixMapScale*);
  EXPECT_EQ(S_OK, reinterpret_cast<GetScaleSlot>(table[9])(mMap, &scale));
  EXPECT_EQ(3, scale.numerator);
  EXPECT_EQ(4, scale.denominator);
  int32_t count = 0;
  using CountSlot = HRESULT(STDMETHODCALLTYPE*)(IRecordDataPixMap*, int32_t*);
  EXPECT_EQ(S_OK, reinterpret_cast<CountSlot>(table[19])(mMap, &count));
  EXPECT_EQ(1, count);
  using OneWordSlot = HRESULT(STDMETHODCALLTYPE*)(IRecordDataPixMap*, uint32_t);
  EXPECT_EQ(0, reinterpret_cast<OneWordSlot>(table[33])(mMap, 1));
  EXPECT_EQ(E_NOTIMPL, reinterpret_cast<OneWordSlot>(table[41])(mMap, 1));
  void* other = &other;
  EXPECT_EQ(E_NOINTERFACE, mMap->QueryInterface(IID_ITableStoredRowInfo, &other));
  EXPECT_EQ(nullptr, other);
  EXPECT_EQ(E_POINTER, TVF_PixMap::Create(&mRows, 1, 1, 8, nullptr));
}

TEST(PixMapRecordSearch, APositionBelongsToTheLastRecordStartingAtOrBeforeIt) {
  const std::vector<int64_t> starts{0, 10, 25};
  const struct {
    int64_t position;
    int32_t record;
  } cases[] = {{-1, 0}, {INT64_MIN, 0}, {0, 0}, {9, 0}, {10, 1}, {24, 1}, {25, 2}, {INT64_MAX, 2}};
  for (const auto& c : cases) EXPECT_EQ(c.record, FindRecordOfPosition(starts, c.position)) << c.position;
  EXPECT_EQ(0, FindRecordOfPosition({}, 5));
  EXPECT_EQ(0, FindRecordOfPosition({5}, 3));
}

}  // namespace
