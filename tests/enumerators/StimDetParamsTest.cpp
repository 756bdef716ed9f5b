// The stimulus detector's parameters: defaults, the flag threshold and the settings text.
#include "enumerators/erstimdet/ERStimDet.h"

#include <gtest/gtest.h>

#include <locale>
#include <sstream>

using namespace ZR::Enum::ERStimDet;

TEST(StimDetParams, MinusOneSelectsDefaultsAndFlagNeedsMoreThanHalf) {
  StimDetParams p;
  const double given[] = {5.0, 2.0, 3.0, 4.0, 1.0};
  for (int32_t i = 0; i < StimDetParams::kCount; ++i) p.Access(i, given[i], true);
  for (int32_t i = 0; i < StimDetParams::kCount; ++i) EXPECT_EQ(given[i], p.Get(i)) << "parameter " << i;
  for (int32_t i = 0; i < StimDetParams::kCount; ++i) p.Access(i, -1.0 + 1e-13, true);
  EXPECT_EQ(1.0, p.height);
  EXPECT_EQ(10.0, p.widthMs);
  EXPECT_EQ(0.0, p.skipMs);
  EXPECT_EQ(0.0, p.minGapMs);
  EXPECT_FALSE(p.oneStimPerBlock);
  EXPECT_EQ(0.0, p.Access(4, 0.4, true));
  EXPECT_EQ(1.0, p.Access(4, 0.6, true));
  EXPECT_EQ(-2.0, p.Access(1, -2.0, true));  // negative width: no limit, kept as given
  EXPECT_EQ(0.0, p.Access(7, 3.0, true));
}

TEST(StimDetParams, SettingsTextSetsParametersThenLimitsAndTicks) {
  Params p;
  std::wistringstream in(L"8 1000 2000 0 1 2 -1");
  in.imbue(std::locale::classic());
  p.Load(in);
  EXPECT_EQ(8.0, p.height);
  EXPECT_EQ(1000.0, p.widthMs);
  EXPECT_EQ(2000.0, p.skipMs);
  EXPECT_TRUE(p.oneStimPerBlock);
  EXPECT_EQ(2, p.startRecord);
  EXPECT_EQ(-1, p.startTick);

  p.tickPeriod = 0.0001;  // 10 kHz
  p.AddSources(0, nullptr);
  EXPECT_EQ(10000, p.widthTicks);
  EXPECT_EQ(20000, p.skipTicks);
  p.widthMs = -5.0;
  p.skipMs = -5.0;
  p.minGapMs = -5.0;
  p.AddSources(0, nullptr);
  EXPECT_EQ(2147483647, p.widthTicks);
  EXPECT_EQ(0, p.skipTicks);
  EXPECT_EQ(-49, p.minGapTicks);  // trunc(-50 + 0.5)
}
