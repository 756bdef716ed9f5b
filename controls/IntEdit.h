// IntEdit: a digits-only edit for a whole number from 1 to 10 (a range validator).
#pragma once

#include "controls/ValidatingEdit.h"

class IntEdit : public ValidatingEdit {
 public:
  explicit IntEdit(OWL::TWindow* parent);

  // The whole text (at most 29 characters) is a base-10 integer as wcstol reads it; the range
  // is the validator's own check.
  bool IsValueValid() override;
  // A template edit gets ES_NUMBER when it is bound.
  void SetupWindow() override;
};
