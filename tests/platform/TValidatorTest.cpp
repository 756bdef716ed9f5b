// OWL validators: the range validator's whole-number rule and the filter's character sets,
// and the edit control swallowing characters its validator refuses.
#include "platform/owl/TRangeValidator.h"

#include "platform/owl/TEdit.h"
#include "platform/owl/TWindow.h"

#include <gtest/gtest.h>

TEST(TRangeValidator, AcceptsOnlyOneWholeNumberInTheRange) {
  OWL::TRangeValidator positive(1, 10);
  struct Case {
    const wchar_t* text;
    bool valid;
  } const cases[] = {
      {L"1", true},   {L"10", true},  {L"+5", true},  {L"0", false},
      {L"11", false}, {L"", false},   {L"5x", false}, {L" 5", false},
      {L"-3", false}, {L"99999999999999999999", false},
  };
  for (const Case& c : cases) EXPECT_EQ(positive.IsValid(c.text), c.valid) << "text \"" << c.text << "\"";
  // A range below zero lets the minus sign through while typing.
  OWL::TRangeValidator signedRange(-5, 5);
  EXPECT_TRUE(signedRange.IsValid(L"-5"));
  EXPECT_TRUE(signedRange.IsValidInput(L"-"));
  EXPECT_FALSE(positive.IsValidInput(L"-"));
}

TEST(TFilterValidator, ReadsRangesAndALiteralDashAtTheEnd) {
  OWL::TFilterValidator filter(L"a-c.-");
  EXPECT_TRUE(filter.IsValid(L"abc.-"));
  EXPECT_FALSE(filter.IsValid(L"abd"));
  EXPECT_FALSE(filter.IsValidChar(L'b' + 10));
}

TEST(TEdit, SwallowsCharactersItsValidatorRefuses) {
  OWL::TWindow parent(nullptr, L"parent");
  auto* edit = new OWL::TEdit(&parent, 5, L"", 0, 0, 80, 20, 4);
  edit->SetValidator(new OWL::TRangeValidator(1, 999));
  parent.Create();
  edit->SendMessage(WM_CHAR, L'4');
  edit->SendMessage(WM_CHAR, L'x');
  edit->SendMessage(WM_CHAR, L'2');
  EXPECT_EQ(edit->GetText(), L"42");
  EXPECT_TRUE(edit->IsValid());
  edit->SetText(L"0");
  EXPECT_FALSE(edit->IsValid());
}
