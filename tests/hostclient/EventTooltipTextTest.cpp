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
  EventChannelUnit millivolts;
  millivolts.baseUnit = L"V";
  millivolts.prefix = L'm';
  EXPECT_EQ(CalculatedPeakTooltip(1, 0.00123f, millivolts, 0.25),
            L"ZR: Peak 1; Height = 1.23 mV; Duration = 0.25 s");
  // Without a unit the height stays as measured and the unit text is empty.
  EXPECT_EQ(CalculatedPeakTooltip(2, 0.5f, EventChannelUnit{}, 1.5),
            L"ZR: Peak 2; Height = 0.5 ; Duration = 1.5 s");
  // The user's decimal separator, as everywhere text is shown to the user.
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
  const std::wstring withComma = CalculatedPeakTooltip(1234, 0.00123f, millivolts, 0.25);
  std::locale::global(previous);
  EXPECT_EQ(withComma, L"ZR: Peak 1234; Height = 1,23 mV; Duration = 0,25 s");
  EXPECT_EQ(UnitPrefixPower(L'u'), -6);
  EXPECT_EQ(UnitPrefixPower(L'k'), 3);
  EXPECT_EQ(UnitPrefixPower(L'x'), 0);
}

}  // namespace
