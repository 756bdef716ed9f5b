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

// Texts that would nest the tree past the stack: parentheses, signs, powers and long chains of
// operators are refused with an error; moderate ones still work.
TEST(SignalFormula, DeepNestingIsRefusedNotFollowed) {
  const std::wstring deep[] = {std::wstring(100000, L'(') + L"1" + std::wstring(100000, L')'),
                               std::wstring(100000, L'-') + L"1", L"sin(" + std::wstring(50000, L'(') + L"t"};
  for (const std::wstring& text : deep) EXPECT_THROW(SignalFormula{text}, FormulaError);
  std::wstring power = L"1";
  for (int i = 0; i < 100000; ++i) power += L"^1";
  EXPECT_THROW(SignalFormula{power}, FormulaError);
  std::wstring sum = L"1";
  for (int i = 0; i < 100000; ++i) sum += L"+1";
  EXPECT_THROW(SignalFormula{sum}, FormulaError);
  std::wstring product = L"1";
  for (int i = 0; i < 100000; ++i) product += L"*1";
  EXPECT_THROW(SignalFormula{product}, FormulaError);
  EXPECT_DOUBLE_EQ(SignalFormula(std::wstring(50, L'(') + L"t" + std::wstring(50, L')')).Evaluate(2), 2);
  EXPECT_DOUBLE_EQ(SignalFormula(L"1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1").Evaluate(0), 20);
}

TEST(SignalFormula, NonFiniteSampleIsAnError) {
  const SignalFormula formula(L"1 / t");
  EXPECT_THROW(formula.Sample(0.001, 0, 3), FormulaError);
  EXPECT_NO_THROW(formula.Sample(0.001, 1, 3));
}

}  // namespace
}  // namespace host
