// The unstimulated detector pages' preview.
#include "settingsdlg/ZRPreview_PX.h"

#include "document/ExpressionBuilder.h"
#include "document/SettingsStore.h"
#include "drawing/PreviewDataWin.h"
#include "enumerators/framework/HostCalculation.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/TypeIds.h"

#include <memory>
#include <utility>

namespace ZR {

namespace {

using FormulaCalculationClass = TypeIdClass<&HostCalcClassGUID, 0>;
constexpr uint32_t kRecordedChannel = 0x40000000u;
// How the detector names the channel it reads.
constexpr uint32_t kChannelReference = 0xC0000000u;
constexpr int32_t kNoPrefixIndex = 1;
constexpr int32_t kDerivedAxis = 2;

std::wstring TextOf(QOR::IQORString* text) { return text && text->GetText() ? text->GetText() : L""; }

}  // namespace

QOR::String PPPNUN::Map(const QOR::String& units) const {
  if (!mDetection) return QOR::String(L"?");
  QOR::ComPtr<QOR::IQORString> text;
  int32_t prefix = 0;
  if (FAILED(mDetection->GetAxisUnits(units.GetInterface(), kNoPrefixIndex, text.Out(), &prefix)) || !text)
    return QOR::String(L"?");
  return QOR::String(TextOf(text.Get()).c_str());
}

QOR::ComPtr<IPXPreviewTrace> ZRPreview_PX::Detection(Doc::SettingsStore* store) const {
  QOR::ComPtr<IPXPreviewTrace> preview;
  IPXDetectionSettings* const detection = store ? store->GetDetectionSettingsObject() : nullptr;
  if (!detection || FAILED(detection->QueryInterface(IID_IPXPreviewTrace, preview.OutVoid()))) preview = nullptr;
  return preview;
}

bool ZRPreview_PX::HasDerivedTrace(IPXPreviewTrace* detection) const {
  VARIANT_BOOL derived = VARIANT_FALSE;
  return detection && SUCCEEDED(detection->HasDerivedTrace(&derived)) && derived;
}

bool ZRPreview_PX::BuildExpression(Doc::SettingsStore* store) {
  if (!store) return false;
  PreviewKey next = StartKey(*store);
  {
    ExpressionBuilder builder(*store, dataFile);
    builder.WriteDetectorChain(next.expression);
    builder.WritePCCChain(next.expression);
  }
  const QOR::ComPtr<IPXPreviewTrace> detection = Detection(store);
  const std::wstring reference = L"ch" + std::to_wstring(next.channel + 1);
  QOR::ComPtr<QOR::IQORString> derived;
  if (HasDerivedTrace(detection.Get()) &&
      SUCCEEDED(detection->GetDerivedTraceText(QOR::String(reference.c_str()).GetInterface(), derived.Out())) &&
      derived) {
    next.sourceText = TextOf(derived.Get());
  } else {
    next.sourceText = ExtLib::LongToString(dataFile, next.channel, kChannelReference).GetText();
  }
  return TakeKey(std::move(next), store);
}

void ZRPreview_PX::Update(Doc::SettingsStore* store) {
  if (!BuildExpression(store)) return;
  SetUpSourceTrace();
  if (!unitsKnown) return;
  const QOR::ComPtr<IPXPreviewTrace> detection = Detection(store);
  if (window && HasDerivedTrace(detection.Get())) {
    const COLORREF black = kDerivedTraceColour;
    QOR::ComPtr<IScrivoRecordDrawer> trace(new ScrivoDraw::CustomUnitsPolyLineTraceDrawer(
        std::make_unique<PPPNUN>(key.channel, detection.Get()), &black, kDerivedAxis, 0, ScrivoDraw::kTraceKind,
        sourceMarker, kPreviewLayer));
    window->GetFirstLaneAxis(kDerivedAxis, VARIANT_TRUE, black);
    window->AddTraceDrawer(trace.Get());
  }
  if (detection) detection->Refresh(0, nullptr);  // its answer is not needed
  AddEventDrawers();
  SetAxisUnits(true, true, store);
}

bool ZRPreview_PX::GetDefaultAxisRange(ExtLib::AxisRange* out, int32_t which, const ExtLib::AxisRange* given,
                                       Doc::SettingsStore* store) {
  if (!out) return false;
  if (given) {
    *out = *given;
    return true;
  }
  if (which != 1 || !window) return false;
  double channel[2] = {0.0, 0.0};
  if (FAILED(window->GetAxisRange(1, &channel[0], &channel[1]))) return false;
  double trace[2] = {channel[0], channel[1]};
  const QOR::ComPtr<IPXPreviewTrace> detection = Detection(store ? store : settings);
  if (detection &&
      FAILED(detection->GetDerivedTraceRange(channel, QOR::PrefixIndexFromLetter(key.units.prefix), trace)))
    return false;
  *out = ExtLib::AxisRange{trace[0], trace[1]};
  return true;
}

void ZRPreview_PX::SetAxisUnits(bool axis1, bool axis2, Doc::SettingsStore* store) {
  const int32_t prefix = QOR::PrefixIndexFromLetter(key.units.prefix);
  if (axis1) SetAxisPrefix(1, prefix);
  if (!axis2) return;
  const QOR::ComPtr<IPXPreviewTrace> detection = Detection(store ? store : settings);
  QOR::ComPtr<QOR::IQORString> unit;
  int32_t axisPrefix = 0;
  if (detection && SUCCEEDED(detection->GetAxisUnits(QOR::String(L"").GetInterface(), prefix, unit.Out(), &axisPrefix)))
    SetAxisPrefix(2, axisPrefix);
}

void ZRPreview_PX::SetUpHostCalculations(IUnknown* target, Doc::SettingsStore* store) {
  const QOR::ComPtr<IPXPreviewTrace> detection = Detection(store ? store : settings);
  QOR::UnitWithPrefix traceUnits = key.units;
  if (detection) {
    QOR::ComPtr<QOR::IQORString> unit;
    int32_t prefix = 0;
    if (SUCCEEDED(detection->GetDerivedTraceUnits(QOR::String(key.units.baseUnit.c_str()).GetInterface(),
                                                  QOR::PrefixIndexFromLetter(key.units.prefix), unit.Out(), &prefix)) &&
        unit)
      traceUnits = QOR::UnitWithPrefix{TextOf(unit.Get()), QOR::PrefixLetterFromIndex(prefix)};
  }
  const uint32_t calcClass = FormulaCalculationClass::Id();
  // The detection reads the source marker: without it bound there is nothing to detect on.
  if (!ExtLib::CreateHostCalculation(target, calcClass, QOR::String(key.sourceText.c_str()),
                                     QOR::String(QOR::FormatUnitPrefix(traceUnits).c_str()), sourceMarker.channel,
                                     sourceMarker.selector))
    return;
  ExtLib::CreateHostCalculation(target, calcClass, QOR::String(key.expression.c_str()),
                                QOR::String(QOR::FormatUnitPrefix(key.units).c_str()), eventMarker.channel, eventMarker.selector);
}

}  // namespace ZR
