// Time-of-day records and the labels of time scales.
#include "base/TimeText.h"

#include "base/LocaleInfo.h"
#include "base/ModalMessageBox.h"
#include "tests/base/FakeLocaleSystem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace QOR;

TEST(TimeOfDay, SecondsThatWouldShowAsSixtyCarryIntoTheNextMinute) {
  TimeOfDay record;
  record.Set(59.9999998);
  EXPECT_EQ(record.minutes, 1);
  EXPECT_EQ(record.seconds, 0.0);
  EXPECT_EQ(record.ExactValue(), 59.9999998);
  record.Set(-59.9999998);
  EXPECT_EQ(record.minutes, 1);
  EXPECT_EQ(record.ExactValue(), -59.9999998);
  record.Set(3 * 3600 + 4 * 60 + 5.25);
  EXPECT_EQ(record.hours, 3);
  EXPECT_EQ(record.minutes, 4);
  EXPECT_EQ(record.seconds, 5.25);
  EXPECT_EQ(record.carryCorrection, 0.0);
}

TEST(TimeOfDay, SteppingCarriesMinutesAndCrossesZero) {
  const struct {
    double start;
    double step;
    int steps;
  } cases[] = {{59.5, 0.25, 4}, {3599.0, 0.5, 4}, {-1.0, 0.5, 5}, {0.5, -0.25, 6}, {119.9999, 0.0000998, 3},
               {-61.0, 30.0, 5}};
  for (const auto& c : cases) {
    TimeOfDay record;
    record.Set(c.start);
    for (int i = 1; i <= c.steps; ++i) {
      record.AddSeconds(c.step);
      TimeOfDay fresh;
      fresh.Set(c.start + i * c.step);
      EXPECT_NEAR(record.ExactValue(), c.start + i * c.step, 1e-9) << c.start << " step " << i;
      EXPECT_EQ(record.negative, fresh.negative) << c.start << " step " << i;
      EXPECT_EQ(record.minutes, fresh.minutes) << c.start << " step " << i;
      EXPECT_EQ(record.hours, fresh.hours) << c.start << " step " << i;
      EXPECT_LT(record.seconds, 60.0) << c.start << " step " << i;
    }
  }
}

class TimeText : public ::testing::Test {
 protected:
  void SetUp() override {
    fakelocale::Current() = fakelocale::State();
    mPreviousHook = SetMessageBoxHook(&fakelocale::RecordBox);
  }
  void TearDown() override {
    SetMessageBoxHook(mPreviousHook);
    std::locale::global(std::locale::classic());
  }
  // The label of seconds of the given kind in the fake user's locale.
  static std::wstring Label(double seconds, uint32_t flags, uint32_t extraFormat = 0) {
    LocaleInfo locale(fakelocale::System());
    TimeOfDay record;
    FormatTimeOfDay(ClockTimeBase{}, record, flags, ClockTimeBase{}, true, seconds, locale);
    record.format |= extraFormat;
    return FormatTimeText(record, locale);
  }

  MessageBoxFunction mPreviousHook = nullptr;
};

TEST_F(TimeText, LabelsInTheUsersSeparators) {
  const double h3m4s5 = 3 * 3600 + 4 * 60 + 5;
  EXPECT_EQ(Label(12.5, kTimeKindElapsed, kTimeFormatUnits), L"12,5 s");
  EXPECT_EQ(Label(h3m4s5, kTimeKindOfDay), L"3:04:05");
  EXPECT_EQ(Label(h3m4s5, kTimeKindOfDay, kTimeFormatAllFields), L"3:04:05,0");
  EXPECT_EQ(Label(h3m4s5 + 0.125, kTimeKindOfDay, kTimeFormatKeepZeros), L"3:04:05,125000");
  EXPECT_EQ(Label(27 * 3600 + 60, kTimeKindOfDay), L"3:01:00");  // a time of day wraps at 24 h
  EXPECT_EQ(Label(h3m4s5, kTimeKindElapsed, kTimeFormatLetters), L"3h04m05s");
  EXPECT_EQ(Label(65.5, kTimeKindElapsed), L"1:05,5");
  EXPECT_EQ(Label(-1e-7, kTimeKindElapsed), L"0");
  EXPECT_EQ(Label(-61, kTimeKindElapsed), L"-1:01");
  EXPECT_EQ(Label(1.5, kTimeKindElapsed | kTimeMilliseconds, kTimeFormatUnits), L"1500 ms");
  EXPECT_EQ(Label(90.25, kTimeKindElapsed | kTimePlainSeconds, kTimeFormatUnits), L"90,25 s");
  EXPECT_EQ(Label(h3m4s5, kTimeKindOfDay | kTimeUniversal, kTimeFormatAllowUT), L"3:04:05 UT");
  EXPECT_EQ(Label(1234.5678, kTimeKindElapsed | kTimeTotalSeconds), L"1234,5678");
}

TEST_F(TimeText, TwelveHourLocaleShowsTheDesignator) {
  fakelocale::Current().settings[LOCALE_ITIME] = L"0";
  fakelocale::Current().settings[LOCALE_S2359] = L"nachm.";
  EXPECT_EQ(Label(13 * 3600, kTimeKindOfDay), L"1:00:00 nachm.");
  EXPECT_EQ(Label(30 * 60, kTimeKindOfDay), L"12:30:00 AM");
  // Universal time is never shown in 12 hours.
  EXPECT_EQ(Label(13 * 3600, kTimeKindOfDay | kTimeUniversal), L"13:00:00");
}

TEST_F(TimeText, TimeBasesAndLongLabels) {
  LocaleInfo locale(fakelocale::System());
  TimeOfDay record;
  const ClockTimeBase base{3600.0, 7200.0};
  const ClockTimeBase reference{600.0, 7200.0};
  FormatTimeOfDay(base, record, kTimeKindOfDay | kTimeUniversal, reference, false, 5.0, locale);
  EXPECT_EQ(record.hours, 3);  // time of day plus the offset
  FormatTimeOfDay(base, record, kTimeKindElapsed, reference, false, 5.0, locale);
  EXPECT_EQ(record.ExactValue(), 3005.0);
  FormatTimeOfDay(base, record, kTimeKindElapsed, ClockTimeBase{600.0, std::nan("")}, false, 5.0, locale);
  EXPECT_EQ(record.ExactValue(), 3005.0);
  record.Set(5.0);
  FormatTimeOfDay(base, record, 7, reference, false, 99.0, locale);  // unknown kind: time kept
  EXPECT_EQ(record.ExactValue(), 5.0);
  record.valueFlags = kTimeTotalSeconds;
  record.format = kTimeFormatKeepZeros;
  record.precision = 20;
  record.seconds = 1e25;
  EXPECT_EQ(std::wstring(FormatTimeText(record, locale)).size(), 30u);
}

}  // namespace
