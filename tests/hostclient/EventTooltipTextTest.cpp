// Tooltip texts of events: numbers, stimuli and heights in the channel's prefixed unit.
#include "hostclient/EventTooltipText.h"

#include <gtest/gtest.h>

#include <locale>

namespace {

// A user's number format with a decimal comma and no digit grouping.
class DecimalComma final : public std::numpunct<wchar_t> {
 protected:
  wchar_t do_decimal_point() const override { return L','; }
  std::string do_grouping() const override { return ""; }
};

TEST(EventTooltipText, StimulusAndPeakWords) {
  EXPECT_EQ(PeakOrStimulusTooltip(true, 1, L"ZR: Peak "), L"ZR: Peak 1 stimulus");
  EXPECT_EQ(PeakOrStimulusTooltip(false, 3, L"ZR: Peak "), L"ZR: Peak 3");
  EXPECT_EQ(PeakOrStimulusTooltip(true, 2, L"ZR: Population Spike "), L"ZR: Peak 2 stimulus");
  EXPECT_EQ(PopulationSpikeTooltip(4), L"ZR: Population Spike 4");
}

TEST(EventTooltipText, HeightInThePrefixedUnit) {
  QOR::UnitWithPrefix millivolts;
  millivolts.baseUnit = L"V";
  millivolts.prefix = L'm';
  EXPECT_EQ(CalculatedPeakTooltip(1, 0.00123f, millivolts, 0.25),
            L"ZR: Peak 1; Height = 1.23 mV; Duration = 0.25 s");
  // Without a unit the height stays as measured and the unit text is empty.
  EXPECT_EQ(CalculatedPeakTooltip(2, 0.5f, QOR::UnitWithPrefix{}, 1.5),
            L"ZR: Peak 2; Height = 0.5 ; Duration = 1.5 s");
  // The user's decimal separator, as everywhere text is shown to the user.
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
  const std::wstring withComma = CalculatedPeakTooltip(1234, 0.00123f, millivolts, 0.25);
  std::locale::global(previous);
  EXPECT_EQ(withComma, L"ZR: Peak 1234; Height = 1,23 mV; Duration = 0,25 s");
}

TEST(EventTooltipText, EveryPrefixDividesTheHeight) {
  const struct {
    float height;  // in the base unit
    wchar_t prefix;
    const wchar_t* base;
    const wchar_t* shown;
  } cases[] = {{3e-15f, L'f', L"A", L"3 fA"}, {7e-6f, L'\u00B5', L"V", L"7 \u00B5V"},
               {2e12f, L'T', L"V", L"2 TV"}, {760.0f, 0, L"mmHg", L"760 mmHg"}};
  for (const auto& c : cases) {
    QOR::UnitWithPrefix unit;
    unit.baseUnit = c.base;
    unit.prefix = c.prefix;
    EXPECT_EQ(CalculatedPeakTooltip(1, c.height, unit, 1.0),
              std::wstring(L"ZR: Peak 1; Height = ") + c.shown + L"; Duration = 1 s")
        << static_cast<int>(c.prefix);
  }
}

TEST(EventTooltipText, EventTimeOnlyWithAKnownTickPeriod) {
  EXPECT_EQ(EventTimeText(1500, 0.001), L"1.5 s");
  EXPECT_EQ(EventTimeText(0, 0.001), L"0 s");
  EXPECT_EQ(EventTimeText(1500, 0.0), L"");
  EXPECT_EQ(EventTimeText(1500, -0.001), L"");
}

}  // namespace
