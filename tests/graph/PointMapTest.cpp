// MGraph1::XYCPlotDataBase: the per-pixel point map and its nearest-point search.
#include "graph/XYCPlotData.h"

#include <gtest/gtest.h>

namespace {

class PointMap : public MGraph1::XYCPlotDataBase {};

MGraph1::PointRecord Record(int32_t index) {
  MGraph1::PointRecord record;
  record.index = index;
  return record;
}

}  // namespace

TEST(PointMap, FindNearestPointSearchesBelowTheRadiusOnly) {
  PointMap map;
  MGraph1::PointRecord found;
  int32_t out = 1;
  ASSERT_TRUE(map.BeginPointMap(100, 100, out));
  EXPECT_EQ(0, out);
  EXPECT_FALSE(map.FindNearestPoint(50, 50, 5, found));  // empty map
  map.SetPoint(50, 50, 1.5, 2.5, 7, RGB(1, 2, 3), 9);
  struct Case {
    int32_t x, y;
    bool found;
  };
  const Case cases[] = {
      {50, 50, true}, {54, 50, true}, {55, 50, false},  // exactly the radius away: not found
      {46, 50, true}, {45, 50, false}, {53, 53, true},  {54, 54, false},  // 32 and 50 against 25
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.found, map.FindNearestPoint(c.x, c.y, 5, found)) << c.x << "," << c.y;
  }
  ASSERT_TRUE(map.FindNearestPoint(52, 49, 5, found));
  EXPECT_EQ(7, found.index);
  EXPECT_EQ(-1, found.marker);
  EXPECT_DOUBLE_EQ(2.5, found.y);
  EXPECT_EQ(9u, found.pass);
  map.SetPoint(53, 49, 0.0, 0.0, 8, 0, 9);  // nearer: it wins
  ASSERT_TRUE(map.FindNearestPoint(52, 49, 5, found));
  EXPECT_EQ(8, found.index);
  // Far off the grid the window is empty rather than overflowing.
  EXPECT_FALSE(map.FindNearestPoint(0x7FFFFFF0, -0x7FFFFFF0, 0x7FFFFFFF, found));
}

TEST(PointMap, BeginKeepsPointsForTheSameSizeAndClearsForAnother) {
  PointMap map;
  int32_t out = 0;
  EXPECT_FALSE(map.BeginPointMap(0, 10, out));
  EXPECT_FALSE(map.BeginPointMap(10, -1, out));
  ASSERT_TRUE(map.BeginPointMap(10, 10, out));
  EXPECT_FALSE(map.BeginPointMap(10, 10, out));  // still open
  map.InsertPoint(3, 4, Record(1));
  map.EndPointMap();
  ASSERT_TRUE(map.BeginPointMap(10, 10, out));
  map.EndPointMap();
  EXPECT_EQ(1u, map.PointCount());
  ASSERT_TRUE(map.BeginPointMap(11, 10, out));
  map.EndPointMap();
  EXPECT_EQ(0u, map.PointCount());
}

TEST(PointMap, CellsOutsideTheGridAreRefusedAndInsertKeepsTheFirst) {
  PointMap map;
  int32_t out = 0;
  ASSERT_TRUE(map.BeginPointMap(10, 5, out));
  map.SetPoint(10, 0, 0.0, 0.0, 1, 0, 0);
  map.SetPoint(0, -1, 0.0, 0.0, 1, 0, 0);
  map.SetPointRecord(0, 5, Record(1));
  map.InsertPoint(-1, 0, Record(1));
  EXPECT_EQ(0u, map.PointCount());
  MGraph1::PointRecord found;
  EXPECT_FALSE(map.GetPoint(10, 0, found));
  map.InsertPoint(9, 4, Record(1));
  map.InsertPoint(9, 4, Record(2));
  ASSERT_TRUE(map.GetPoint(9, 4, found));
  EXPECT_EQ(1, found.index);
  map.SetPointRecord(9, 4, Record(3));
  ASSERT_TRUE(map.GetPoint(9, 4, found));
  EXPECT_EQ(3, found.index);
}

TEST(PointMap, PointInfoLooksWithinTwentyPixelsOfAnySeries) {
  PointMap map;
  int32_t out = 0;
  ASSERT_TRUE(map.BeginPointMap(100, 100, out));
  map.SetPoint(30, 30, 4.0, 5.0, 12, 0, 1);
  map.EndPointMap();
  MGraph1::PointInfo info;
  info.pixelX = 49;  // 19 away
  info.pixelY = 30;
  ASSERT_TRUE(map.GetPointInfo(77, &info));
  EXPECT_TRUE(info.valid);
  EXPECT_EQ(12, info.index);
  EXPECT_DOUBLE_EQ(4.0, info.x);
  info.pixelX = 50;
  EXPECT_FALSE(map.GetPointInfo(0, &info));
  EXPECT_FALSE(info.valid);
}
