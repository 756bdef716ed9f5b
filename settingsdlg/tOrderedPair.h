// ZR::tOrderedPair: a nested list of two value wrappers whose values must stand in an order; the
// first member says so with "Order Incorrect" when they do not.
#pragma once

#include "settingsdlg/tCtrlList.h"

namespace ZR {

enum OrderRelation : int32_t { LessThan = 0, GreaterThan = 1, LessOrEqual = 2, GreaterOrEqual = 3 };

class tOrderedPair : public tCtrlList {
 public:
  explicit tOrderedPair(OrderRelation relation = LessThan) : mRelation(relation) {}

  void SetRelation(OrderRelation relation) noexcept { mRelation = relation; }

  // True unless both members are value wrappers whose values (stored first) break the
  // relation; a NaN breaks every relation.
  bool IsOrderCorrect();
  // The members' own validity and the order, both always asked.
  bool AllValid() override;
  // After the member's own revalidation: the order error on the first member while both are
  // valid by their own settings and out of order, else the first member's own state.
  void OnControlNotify(int32_t controlId) override;

 private:
  OrderRelation mRelation;
};

}  // namespace ZR
