// Tests of the shortest exact text of a double.
#include "base/ExactDoubleText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>

namespace {

using QOR::ExactDoubleText;

double ReadBack(const std::wstring& text) {
  std::wistringstream in(text);
  in.imbue(std::locale::classic());
  double value = -1.0;
  in >> value;
  return value;
}

TEST(ExactDoubleText, KeepsTheSixDigitFormWhenItIsExactAndGrowsOnlyWhenNeeded) {
  const struct {
    double value;
    const wchar_t* text;
  } cases[] = {
      {0.0, L"0"},          {50.0, L"50"},        {0.03, L"0.03"},
      {0.0005, L"0.0005"},  {1e-05, L"1e-05"},    {2e9, L"2e+09"},
      {-1.5, L"-1.5"},      {99999.0, L"99999"},  {123456.0, L"123456"},
      // Seven and more digits are no longer rounded to six.
      {1234567.0, L"1234567"},
      {0.1234567, L"0.1234567"},
      {0.0001234567, L"0.0001234567"},
      {2147483647.0, L"2147483647"},
      {1.0 / 3.0, L"0.3333333333333333"},
      {0.1 + 0.2, L"0.30000000000000004"},
      {std::numeric_limits<double>::max(), L"1.7976931348623157e+308"},
      {std::numeric_limits<double>::lowest(), L"-1.7976931348623157e+308"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExactDoubleText(c.value), c.text) << c.text;
  }
}

TEST(ExactDoubleText, NonFiniteValuesHaveTheirStreamNames) {
  EXPECT_EQ(ExactDoubleText(std::numeric_limits<double>::quiet_NaN()), L"nan");
  EXPECT_EQ(ExactDoubleText(std::numeric_limits<double>::infinity()), L"inf");
  EXPECT_EQ(ExactDoubleText(-std::numeric_limits<double>::infinity()), L"-inf");
}

TEST(ExactDoubleText, EveryFiniteValueReadsBackBitForBit) {
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 4000; ++i) {
    uint64_t bits = random();
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    // Subnormals underflow in stream extraction whatever the text; keep to normal numbers.
    if (!std::isnormal(value)) continue;
    const std::wstring text = ExactDoubleText(value);
    ASSERT_EQ(ReadBack(text), value) << "bits " << std::hex << bits;
  }
}

}  // namespace
