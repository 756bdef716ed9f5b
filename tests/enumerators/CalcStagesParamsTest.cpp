// The parameters of the baseline, extreme and second-baseline enumerators: settings text, defaults and the
// millisecond-to-tick conversions made when the sources are set.
#include <gtest/gtest.h>

#include <locale>
#include <sstream>

#include "enumerators/calcamax/CalcAMax.h"
#include "enumerators/calcbase/CalcBase.h"
#include "enumerators/calcbase2/CalcBase2.h"

namespace {

template <class P>
P Loaded(const wchar_t* text) {
  P p;
  std::wistringstream in{std::wstring(text)};
  in.imbue(std::locale::classic());
  p.Load(in);
  p.NormaliseLimits();
  return p;
}

// -1 and unreadable values select the defaults; the mode is rounded half up; the fixed level keeps -1.
TEST(CalcBaseParams, DefaultsAndTickConversions) {
  auto p = Loaded<ZR::Enum::CalcBase::Params>(L"-1 -1 -1 -1 -1 -1");
  EXPECT_EQ(p.maxBaselineMs, 0.0);
  EXPECT_EQ(p.noiseTolerancePercent, 5.0);
  EXPECT_EQ(p.baselineMode, 0);
  EXPECT_EQ(p.baselineValue, -1.0);
  EXPECT_EQ(p.endTick, kRecordEndOffset);
  p.tickPeriod = 0.001;
  p.AddSources(0, nullptr);
  EXPECT_EQ(p.maxBaselineTicks, 500);  // 0 ms, raised to 500 ticks
  EXPECT_EQ(p.searchStartTicks, -1);

  auto q = Loaded<ZR::Enum::CalcBase::Params>(L"700.4 2 10.5 30 1.5 0.25 0 0 0 0");
  q.tickPeriod = 0.001;
  q.AddSources(0, nullptr);
  EXPECT_EQ(q.maxBaselineTicks, 700);
  EXPECT_EQ(q.searchStartTicks, 11);  // 10.5 ms: + 0.5 truncated
  EXPECT_EQ(q.searchEndTicks, 30);
  EXPECT_EQ(q.baselineMode, 2);
  EXPECT_EQ(q.baselineValue, 0.25);
  // A search window needs both ends; a huge length saturates instead of overflowing.
  auto r = Loaded<ZR::Enum::CalcBase::Params>(L"1e300 5 10 -2");
  r.tickPeriod = 0.001;
  r.AddSources(0, nullptr);
  EXPECT_EQ(r.maxBaselineTicks, kRecordEndOffset);
  EXPECT_EQ(r.searchStartTicks, -1);
  EXPECT_EQ(r.searchEndTicks, -1);
}

TEST(CalcAMaxParams, DefaultsAndRounding) {
  const auto p = Loaded<ZR::Enum::CalcAMax::Params>(L"-1 -1 -1");
  EXPECT_EQ(p.startHeightPercent, 5);
  EXPECT_EQ(p.reposition, 1);
  EXPECT_EQ(p.endHeightPercent, 0);
  const auto q = Loaded<ZR::Enum::CalcAMax::Params>(L"10.5 0 -2.5");
  EXPECT_EQ(q.startHeightPercent, 11);
  EXPECT_EQ(q.reposition, 0);
  EXPECT_EQ(q.endHeightPercent, -3);  // half away from zero
  std::wostringstream list;
  q.WriteList(list);
  EXPECT_EQ(list.str(), L"11, 0, -3");
}

// Tau Start 20 and Tau End 80 are read as 80 and 20.
TEST(CalcBase2Params, TauLevelsSwappedIntoOrder) {
  const auto p = Loaded<ZR::Enum::CalcBase2::Params>(L"-1 20 80 -1");
  EXPECT_EQ(p.midPlateauPercent, 50);
  EXPECT_EQ(p.tauStartPercent, 80);
  EXPECT_EQ(p.tauEndPercent, 20);
  EXPECT_EQ(p.plateauCentrePercent, 50);
  const auto d = Loaded<ZR::Enum::CalcBase2::Params>(L"");
  EXPECT_EQ(d.tauStartPercent, 50);
  EXPECT_EQ(d.tauEndPercent, 5);
}

}  // namespace
