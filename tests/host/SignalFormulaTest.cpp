// Signal formulas: values, precedence, functions and faults.
#include "host/formula/SignalFormula.h"

#include <gtest/gtest.h>

#include <cmath>

namespace host {
namespace {

TEST(SignalFormula, ValuesFollowPrecedence) {
  struct Case {
    const wchar_t* text;
    double t;
    double value;
  };
  const Case cases[] = {
      {L"1 + 2 * 3", 0, 7},        {L"(1 + 2) * 3", 0, 9},   {L"2 * 3 ^ 2", 0, 18},
      {L"-2 ^ 2", 0, -4},          {L"2 ^ 3 ^ 2", 0, 512},   {L"2 ^ -1", 0, 0.5},
      {L"10 - 4 - 3", 0, 3},       {L"12 / 4 / 3", 0, 1},    {L"-t", 2.5, -2.5},
      {L"2*t + .5", 0.25, 1.0},    {L"1e-05 * 1e5", 0, 1},   {L"--3", 0, 3},
      {L"SIN(t)", 0.5, std::sin(0.5)},
      {L"threshold(t, 1)", 1.5, 1}, {L"threshold(t, 1)", 1.0, 0}, {L"threshold(t,1)", 0.5, 0},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(SignalFormula(c.text).Evaluate(c.t), c.value)
        << std::string(c.text, c.text + std::wcslen(c.text));
}

TEST(SignalFormula, SamplesAtTickTimes) {
  const std::vector<float> samples = SignalFormula(L"t * 1000").Sample(0.001, 5, 3);
  ASSERT_EQ(samples.size(), 3u);
  EXPECT_FLOAT_EQ(samples[0], 5.0f);
  EXPECT_FLOAT_EQ(samples[2], 7.0f);
}

TEST(SignalFormula, FaultsNameThePosition) {
  struct Case {
    const wchar_t* text;
    size_t position;
  };
  const Case cases[] = {{L"cos(t)", 1}, {L"sin(t, 2)", 1}, {L"threshold(t)", 1}, {L"2 * x", 5},
                        {L"sin(,t)", 5}, {L"(t + 1", 7},   {L"2 t", 3},          {L"ch1 * 2", 1}};
  for (const Case& c : cases) {
    try {
      SignalFormula formula(c.text);
      ADD_FAILURE() << "accepted: " << std::string(c.text, c.text + std::wcslen(c.text));
    } catch (const FormulaError& e) {
      EXPECT_EQ(e.Position(), c.position) << e.what();
    }
  }
}

TEST(SignalFormula, NonFiniteSampleIsAnError) {
  const SignalFormula formula(L"1 / t");
  EXPECT_THROW(formula.Sample(0.001, 0, 3), FormulaError);
  EXPECT_NO_THROW(formula.Sample(0.001, 1, 3));
}

}  // namespace
}  // namespace host
