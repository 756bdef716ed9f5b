// The stimulated detector pages' preview.
#include "settingsdlg/ZRPreview_Stimulated.h"

#include "document/ExpressionBuilder.h"
#include "document/SettingsStore.h"
#include "enumerators/framework/HostCalculation.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/TypeIds.h"

#include <utility>

namespace ZR {

namespace {
using FormulaCalculationClass = TypeIdClass<&HostCalcClassGUID, 0>;
}  // namespace

void ZRPreview_Stimulated::Update(Doc::SettingsStore* store) {
  if (!store) return;
  PreviewKey next = StartKey(*store);
  {
    ExpressionBuilder builder(*store, dataFile);
    builder.WriteDetectorChain(next.expression);
    builder.WriteERPeakDetChain(next.expression);
  }
  next.sourceText = L"Ch" + std::to_wstring(next.channel + 1);
  if (!TakeKey(std::move(next), store)) return;
  SetUpSourceTrace();
  AddEventDrawers();
  SetAxisUnits(true, false, store);
}

void ZRPreview_Stimulated::SetAxisUnits(bool axis1, bool axis2, Doc::SettingsStore*) {
  int32_t const prefix = QOR::PrefixIndexFromLetter(key.units.prefix);
  if (axis1) SetAxisPrefix(1, prefix);
  if (axis2) SetAxisPrefix(2, prefix);
}

void ZRPreview_Stimulated::SetUpHostCalculations(IUnknown* target, Doc::SettingsStore*) {
  QOR::String const units(QOR::FormatUnitPrefix(key.units).c_str());
  uint32_t const calcClass = FormulaCalculationClass::Id();
  ExtLib::CreateHostCalculation(target, calcClass, QOR::String(key.sourceText.c_str()), units, sourceMarker.channel,
                                sourceMarker.selector);
  // The detection is bound whatever the host made of the channel's calculation.
  ExtLib::CreateHostCalculation(target, calcClass, QOR::String(key.expression.c_str()), units, eventMarker.channel,
                                eventMarker.selector);
}

}  // namespace ZR
