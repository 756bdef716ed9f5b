// OWL::TRangeValidator: a whole number (optional sign, decimal digits) from min to max.
#pragma once

#include "platform/owl/TFilterValidator.h"

namespace OWL {

class TRangeValidator : public TFilterValidator {
 public:
  TRangeValidator(long min, long max);

  // The text is one number in the range (nothing before or after it; no overflow).
  bool IsValid(const wchar_t* text) const override;
  // "Value is not in the range MIN to MAX." from the framework's strings.
  void Error(TWindow* owner) const override;

 private:
  long mMin;
  long mMax;
};

}  // namespace OWL
