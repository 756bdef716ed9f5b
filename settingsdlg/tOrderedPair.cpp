// The ordered pair: the relation between its two values and the order error.
#include "settingsdlg/tOrderedPair.h"

#include "base/String.h"
#include "platform/owl/TModule.h"
#include "settingsdlg/SettingsDlgStringIds.h"
#include "settingsdlg/tCtrl.h"

namespace ZR {

static QOR::String ModuleText(uint32_t id) { return QOR::String(OWL::TModule::Default().GetHandle(), id, true); }

static uint32_t RelationMessageId(OrderRelation relation) noexcept {
  switch (relation) {
    case LessThan: return IDS_SETTINGS_ORDER_LESS;
    case GreaterThan: return IDS_SETTINGS_ORDER_GREATER;
    case LessOrEqual: return IDS_SETTINGS_ORDER_LESS_OR_EQUAL;
    default: return IDS_SETTINGS_ORDER_GREATER_OR_EQUAL;
  }
}

bool tOrderedPair::IsOrderCorrect() {
  if (CtrlCount() != 2) return true;
  auto* const first = dynamic_cast<tValueCtrl*>(&Ctrl(0));
  auto* const second = dynamic_cast<tValueCtrl*>(&Ctrl(1));
  if (!first || !second) return true;
  const double a = first->GetValue();
  const double b = second->GetValue();
  switch (mRelation) {
    case LessThan: return a < b;
    case GreaterThan: return a > b;
    case LessOrEqual: return a <= b;
    default: return a >= b;
  }
}

bool tOrderedPair::AllValid() {
  const bool valid = tCtrlList::AllValid();
  const bool ordered = IsOrderCorrect();
  return valid && ordered;
}

void tOrderedPair::OnControlNotify(int32_t controlId) {
  tCtrlList::OnControlNotify(controlId);
  if (CtrlCount() != 2) return;
  tCtrl& first = Ctrl(0);
  const bool membersValid = first.IsValid() && Ctrl(1).IsValid();
  if (membersValid && !IsOrderCorrect()) {
    first.ShowErrorText(true, ModuleText(IDS_SETTINGS_ORDER_INCORRECT), ModuleText(RelationMessageId(mRelation)));
    return;
  }
  first.ShowError(!first.IsValid());
}

}  // namespace ZR
