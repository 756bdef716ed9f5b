// A channel's value range in the record of a position, read from the stand-in's data file.
#include "enumerators/framework/ChannelValueRange.h"

#include "host/data/DataDocument.h"
#include "host/data/Sampler.h"
#include "hostapi/DataDocument.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

using ExtLib::AxisRange;

TEST(ChannelValueRange, ReadsTheRecordOfThePositionAndLeavesOutValuesWhenItCannot) {
  auto document = testsupport::MakeDataDocument({50, 80}, 0.001, [](int32_t r, int32_t i) {
    return r == 0 ? static_cast<float>(i) - 10.0f : 100.0f - static_cast<float>(i);
  });
  IHostDataDocument* const host = document.Get();
  AxisRange range{7.0, 7.0};
  double scale = 0.0;
  ASSERT_TRUE(ExtLib::GetChannelValueRange(host, 0, TickPosition(1, 30), &range, &scale));
  EXPECT_DOUBLE_EQ(21.0, range.first);
  EXPECT_DOUBLE_EQ(100.0, range.second);
  EXPECT_DOUBLE_EQ(1.0, scale);
  ASSERT_TRUE(ExtLib::GetChannelValueRange(host, 0, TickPosition(0, 0), &range, &scale));
  EXPECT_DOUBLE_EQ(-10.0, range.first);
  EXPECT_DOUBLE_EQ(39.0, range.second);
  for (const auto& [channel, record] : {std::pair{1, 0}, std::pair{0, 2}, std::pair{-1, 0}}) {
    range = AxisRange{7.0, 8.0};
    EXPECT_FALSE(ExtLib::GetChannelValueRange(host, channel, TickPosition(record, 0), &range, &scale))
        << channel << " " << record;
    EXPECT_EQ(7.0, range.first);
    EXPECT_EQ(8.0, range.second);
  }
  EXPECT_FALSE(ExtLib::GetChannelValueRange(nullptr, 0, TickPosition(), &range, &scale));
  // A record that sampling has only opened holds no values yet.
  host::Sampler sampler(document.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  ASSERT_EQ(S_OK, sampler.StartRecord(0.001));
  EXPECT_FALSE(ExtLib::GetChannelValueRange(host, 0, TickPosition(2, 0), &range, &scale));
  sampler.Stop();
}
