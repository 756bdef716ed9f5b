// OWL::TFilterValidator: accepts only characters of a set written as single characters and
// ranges ("0-9+-": digits, plus and minus).
#pragma once

#include "platform/owl/TValidator.h"

#include <string>

namespace OWL {

class TFilterValidator : public TValidator {
 public:
  explicit TFilterValidator(const wchar_t* validChars);

  bool IsValidInput(const wchar_t* text) const override;
  bool IsValid(const wchar_t* text) const override;
  // "Invalid character in input." from the framework's strings.
  void Error(TWindow* owner) const override;
  bool IsValidChar(wchar_t ch) const noexcept;

 protected:
  // Shows text in an exclamation box over owner's window, or beeps when text is empty.
  static void ShowError(TWindow* owner, const std::wstring& text);

 private:
  std::wstring mValidChars;
};

}  // namespace OWL
