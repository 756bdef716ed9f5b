// Formula parsing: calls, channel forms, numbers, blanks, omitted arguments and faults.
#include "host/formula/FormulaSyntax.h"

#include <gtest/gtest.h>

#include <string>

namespace host {
namespace {

using Kind = FormulaNode::Kind;

TEST(FormulaSyntax, ChannelFormsGiveChannelAndMark) {
  struct Case {
    const wchar_t* word;
    int32_t channel;
    wchar_t mark;
  };
  const Case cases[] = {{L"ch1", 0, 0},        {L"CH12", 11, 0},      {L"channel3", 2, 0},
                        {L"Channel12", 11, 0}, {L"vch1", 0, L'v'},    {L"rch2", 1, L'r'},
                        {L"VChannel4", 3, L'v'}, {L"rchannel1", 0, L'r'}};
  for (const Case& c : cases) {
    const FormulaNode root = ParseEnumeratorFormula(std::wstring(L"f(") + c.word + L")");
    ASSERT_EQ(root.args.size(), 1u) << c.word;
    EXPECT_EQ(root.args[0].kind, Kind::Channel) << c.word;
    EXPECT_EQ(root.args[0].channel, c.channel) << c.word;
    EXPECT_EQ(root.args[0].mark, c.mark) << c.word;
  }
}

TEST(FormulaSyntax, NumbersReadInTheClassicFormWithSign) {
  const FormulaNode root = ParseEnumeratorFormula(L"f(0.3, .5, -1, 1e-05, +2, 7E2, -.25)");
  const double expected[] = {0.3, 0.5, -1.0, 1e-05, 2.0, 700.0, -0.25};
  ASSERT_EQ(root.args.size(), 7u);
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(root.args[i].kind, Kind::Number) << i;
    EXPECT_DOUBLE_EQ(root.args[i].value, expected[i]) << i;
  }
}

TEST(FormulaSyntax, BlanksBetweenTokensAndNestedCalls) {
  const FormulaNode root =
      ParseEnumeratorFormula(L"  CalcBase ( ch1 ,\tCAPPeakDet( ch1 , 0.3 ) , 5 )  ");
  EXPECT_EQ(root.name, L"CalcBase");
  ASSERT_EQ(root.args.size(), 3u);
  EXPECT_EQ(root.args[1].kind, Kind::Call);
  EXPECT_EQ(root.args[1].name, L"CAPPeakDet");
  EXPECT_EQ(root.args[1].position, 20u);
  EXPECT_DOUBLE_EQ(root.args[1].args[1].value, 0.3);
}

TEST(FormulaSyntax, OmittedArgumentsAreMarked) {
  const FormulaNode none = ParseEnumeratorFormula(L"f()");
  EXPECT_TRUE(none.args.empty());
  const FormulaNode gaps = ParseEnumeratorFormula(L"f(ch1,,3,)");
  ASSERT_EQ(gaps.args.size(), 4u);
  EXPECT_EQ(gaps.args[1].kind, Kind::Omitted);
  EXPECT_EQ(gaps.args[2].kind, Kind::Number);
  EXPECT_EQ(gaps.args[3].kind, Kind::Omitted);
}

TEST(FormulaSyntax, MalformedFormulasNameThePosition) {
  struct Case {
    const wchar_t* text;
    size_t position;
  };
  const Case cases[] = {
      {L"cappeakdet(ch1,0.3", 19},  // unclosed at the end
      {L"cappeakdet(ch1 0.3)", 16}, // missing comma
      {L"cappeakdet ch1", 12},      // no parenthesis
      {L"f(ch1)x", 7},              // trailing text
      {L"f(ch1;2)", 6},             // stray character
      {L"f(ch0)", 3},               // channels count from 1
      {L"f(--1)", 4},               // one sign only
      {L"", 1},                     // empty
      {L"f(1e999)", 3},             // out of range
  };
  for (const Case& c : cases) {
    try {
      ParseEnumeratorFormula(c.text);
      ADD_FAILURE() << "accepted: " << std::string(c.text, c.text + std::wcslen(c.text));
    } catch (const FormulaError& e) {
      EXPECT_EQ(e.Position(), c.position) << e.what();
      EXPECT_NE(std::string(e.what()).find("position " + std::to_string(c.position)), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace host
