// The horizontal scale object of the pane's data source: records end to end, their time records.
#include "host/data/HorizontalScale.h"

#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using host::HorizontalScale;
using host::HostPtr;

namespace {

HostPtr<HorizontalScale> ScaleOver(const std::vector<int32_t>& lengths, double period = 0.001) {
  return HostPtr<HorizontalScale>(new HorizontalScale(testsupport::MakeDataDocument(lengths, period)), false);
}

}  // namespace

TEST(HorizontalScale, LaysRecordsEndToEndAtTheScaling) {
  auto scale = ScaleOver({1000, 95, 0, 40});
  int64_t total = 0;
  ASSERT_EQ(S_OK, scale->GetTotalLength(&total));
  EXPECT_EQ(100 + 10 + 0 + 4, total);  // 10 samples per pixel, a part-filled pixel counts
  int64_t start = 0, end = 0;
  ASSERT_EQ(S_OK, scale->GetRecordRange(1, &start, &end));
  EXPECT_EQ(100, start);
  EXPECT_EQ(110, end);
  EXPECT_EQ(S_FALSE, scale->GetRecordRange(4, &start, &end));
  EXPECT_EQ(std::numeric_limits<int64_t>::min(), start);
  PixMapRecordPosition where{};
  // The empty record 2 holds no position: 110 is record 3's first.
  ASSERT_EQ(S_OK, scale->PositionToRecord(110, &where, &end));
  EXPECT_EQ(3, where.record);
  EXPECT_EQ(0, where.offset);
  EXPECT_EQ(114, end);
  EXPECT_EQ(S_FALSE, scale->PositionToRecord(114, &where, &end));
  EXPECT_EQ(S_FALSE, scale->PositionToRecord(-1, &where, &end));
  // Three samples per two pixels: 1000 samples take 667 pixels.
  ASSERT_EQ(S_OK, scale->SetScale(6, 4));
  PixMapScale back{};
  scale->GetScale(&back);
  EXPECT_EQ(3, back.numerator);
  EXPECT_EQ(2, back.denominator);
  ASSERT_EQ(S_OK, scale->GetRecordRange(1, &start, &end));
  EXPECT_EQ(667, start);
  EXPECT_EQ(E_INVALIDARG, scale->SetScale(0, 1));
  EXPECT_EQ(E_INVALIDARG, scale->SetScale(1, -2));
}

TEST(HorizontalScale, ExtremeZoomInSaturatesPositions) {
  auto scale = ScaleOver({1000, 1000, 1000});
  ASSERT_EQ(S_OK, scale->SetScale(1, INT64_MAX / 4));
  int64_t total = 0;
  ASSERT_EQ(S_OK, scale->GetTotalLength(&total));
  EXPECT_EQ(INT64_MAX, total);
  int64_t start = 0, end = 0;
  ASSERT_EQ(S_OK, scale->GetRecordRange(1, &start, &end));
  EXPECT_EQ(int64_t{1} << 62, start);
  EXPECT_EQ(INT64_MAX, end);
}

TEST(HorizontalScale, TimeRecordCountsEachRecordFromZeroAndNamesTheNextStart) {
  auto scale = ScaleOver({1000, 500}, 0.002);
  PixMapTimeScale time{};
  ASSERT_EQ(S_OK, scale->GetScaleRecord(140, &time));
  EXPECT_DOUBLE_EQ(0.02, time.secondsPerPixel);
  // Position 140 is 40 pixels into record 1: 0.8 s after its start.
  EXPECT_DOUBLE_EQ(0.8, 140 * time.secondsPerPixel - time.timeOrigin);
  EXPECT_DOUBLE_EQ(2.0, time.offset);
  EXPECT_TRUE(std::isnan(time.clockOffset));
  EXPECT_EQ(E_INVALIDARG, scale->GetScaleRecord(150000, &time));
  int64_t next = 0;
  ASSERT_EQ(S_OK, scale->GetNextRecordStart(99, &next));
  EXPECT_EQ(100, next);
  EXPECT_EQ(S_FALSE, scale->GetNextRecordStart(100, &next));
  EXPECT_EQ(INT64_MAX, next);
}

// Margins the drawers ask for widen every record that holds samples: the lead comes before its
// first sample (offsets count from there, negative in the lead), the trail after its last.
TEST(HorizontalScale, MarginsWidenEachRecordAroundItsSamples) {
  auto scale = ScaleOver({1000, 0, 500});
  uint32_t pending = 0;
  ASSERT_EQ(S_OK, scale->RequestMargin(0, 0));
  scale->GetPendingMask(0, &pending);
  EXPECT_EQ(0u, pending) << "nothing changed";
  ASSERT_EQ(S_OK, scale->RequestMargin(0x80000001u, 7));
  ASSERT_EQ(S_OK, scale->RequestMargin(0x80000002u, 30));
  EXPECT_EQ(E_INVALIDARG, scale->RequestMargin(5, 30));
  scale->GetPendingMask(0, &pending);
  EXPECT_EQ(0xFF000000u, pending & 0xFF000000u);
  int64_t total = 0;
  ASSERT_EQ(S_OK, scale->GetTotalLength(&total));
  EXPECT_EQ((30 + 100 + 7) + (30 + 50 + 7), total);
  int64_t start = 0, end = 0;
  ASSERT_EQ(S_OK, scale->GetRecordRange(2, &start, &end));
  EXPECT_EQ(137, start);
  EXPECT_EQ(224, end);
  int32_t next = -1;
  ASSERT_EQ(S_OK, scale->NextSegment(0, &next, &start, &end));
  EXPECT_EQ(2, next);
  EXPECT_EQ(137, start);
  EXPECT_EQ(224, end);

  PixMapRecordPosition where{};
  ASSERT_EQ(S_OK, scale->PositionToRecord(140, &where, &end));
  EXPECT_EQ(2, where.record);
  EXPECT_EQ(140 - 137 - 30, where.offset);
  EXPECT_EQ(224, end);
  // Ticks: held inside the samples over the margins; tick 0 of record 2 lies after its lead.
  PixMapTick tick{};
  ASSERT_EQ(S_OK, scale->PositionToTick(2, 140, &tick));
  EXPECT_EQ(0.0, tick.tick);
  ASSERT_EQ(S_OK, scale->PositionToTick(2, 137 + 30 + 12, &tick));
  EXPECT_EQ(120.0, tick.tick);
  ASSERT_EQ(S_OK, scale->PositionToTick(2, 223, &tick));
  EXPECT_EQ(500.0, tick.tick);
  double position = 0.0;
  ASSERT_EQ(S_OK, scale->TickToPosition(0, 2, 120.0, &position));
  EXPECT_EQ(137 + 30 + 12, position);
  // Time 0 of each record is its first sample.
  PixMapTimeScale time{};
  ASSERT_EQ(S_OK, scale->GetScaleRecord(140, &time));
  EXPECT_NEAR(0.0, (137 + 30) * time.secondsPerPixel - time.timeOrigin, 1e-12);
  ASSERT_EQ(S_OK, scale->GetNextRecordStart(10, &start));
  EXPECT_EQ(137, start);
}
