// ZR::Dlg::Sub_Baseline: the baseline mode and fixed value, the start and end percentages, and
// the captions of the types measured from the resting membrane potential.
#include "settingsdlg/Sub_Baseline.h"

#include "base/String.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "hostclient/ModuleInstance.h"
#include "settingsdlg/PageBindings.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/SettingsPageIds.h"
#include "settingsdlg/tCtrl.h"

#include <algorithm>
#include <iterator>

namespace ZR::Dlg {

namespace {

constexpr int32_t kPopulationSpike = 4;
constexpr int32_t kActionPotential = 5;
constexpr int32_t kCardiacActionPotential = 1;

// The start percentage binds its setting, under Action Potential that type's own (the constructor
// swaps it).
constexpr BindingRow kRows[] = {
    Single(Group()),
    Single(EnumBtn(IDC_BASELINE_AUTO, Doc::kSettingBaselineMode, 0)),
    Single(EnumBtn(IDC_BASELINE_FIXED, Doc::kSettingBaselineMode, 1)),
    Single(EnumBtn(IDC_BASELINE_MINIMUM, Doc::kSettingBaselineMode, 2)),
    Single(UnitsEdit(IDC_BASELINE_VALUE, IDC_BASELINE_UNITS, Doc::kSettingBaselineValue, 8)),
    Single(StaticText(IDC_BASELINE_START_LABEL)),
    Single(IntEdit(IDC_BASELINE_START_PERCENT, Doc::kSettingStartHeightPercent, 3, 1075)),
    Single(StaticText(IDC_BASELINE_START_AFTER)),
    Single(StaticText(IDC_BASELINE_END_LABEL)),
    Single(IntEdit(IDC_BASELINE_END_PERCENT, Doc::kSettingEndHeightPercent, 3, 1091)),
    Single(StaticText(IDC_BASELINE_END_AFTER)),
};
constexpr int32_t kChangeIds[] = {IDC_BASELINE_VALUE, IDC_BASELINE_START_PERCENT, IDC_BASELINE_END_PERCENT};
constexpr FixedValueRule kFixedValue{
    {IDC_BASELINE_AUTO, IDC_BASELINE_FIXED, IDC_BASELINE_MINIMUM}, IDC_BASELINE_VALUE, Doc::kSettingBaselineMode, 1};

int32_t TypeOf(SettingsDlg* owner) {
  const auto* const type = owner ? owner->Store().GetIntSetting(Doc::kSettingAnalysisType) : nullptr;
  return type ? type->Get() : 0;
}

}  // namespace

Sub_Baseline::Sub_Baseline(SettingsDlg* owner, IUnknown* hostDataDocument)
    : ZRSubDlg(IDD_BASELINE, owner, hostDataDocument), mList(std::make_unique<tCtrlList>()), mType(TypeOf(owner)) {
  BindingRow rows[std::size(kRows)];
  std::copy(std::begin(kRows), std::end(kRows), rows);
  for (BindingRow& row : rows)
    if (row.first.control == IDC_BASELINE_START_PERCENT && mType == kActionPotential)
      row.first.setting = Doc::kSettingStartHeightPercentAP;
  AddBindings(*mList, rows, std::size(rows), owner ? &owner->Store() : nullptr, this,
              owner ? owner->ChannelUnits() : QOR::UnitWithPrefix{L"V", L'm'});
}

Sub_Baseline::~Sub_Baseline() = default;

void Sub_Baseline::Store() { mList->StoreAll(); }

bool Sub_Baseline::IsValid() { return mList->AllValid(); }

void Sub_Baseline::Load() {
  if (Owner()) FollowChannelUnits(*mList, Owner()->ChannelUnits());
  mList->LoadAll();
  if (mType != kPopulationSpike && Owner()) UpdateFixedValueControl(*mList, Owner()->Store(), kFixedValue);
}

void Sub_Baseline::SetupWindow() {
  ZRSubDlg::SetupWindow();
  mList->LoadAll();
  mList->EnableAll(mType != kPopulationSpike);
  if (mType == kCardiacActionPotential || mType == kActionPotential) ApplyRmpLabels();
  if (mType != kPopulationSpike && Owner()) UpdateFixedValueControl(*mList, Owner()->Store(), kFixedValue);
}

void Sub_Baseline::ApplyRmpLabels() {
  const QOR::String group(GetModuleInstance(), IDS_BASELINE_RMP_GROUP, true);
  const QOR::String percent(GetModuleInstance(), IDS_BASELINE_RMP_PERCENT, true);
  ::SetDlgItemTextW(GetHandle(), 1092, group.GetText());
  for (int label : {1087, 1089}) ::SetDlgItemTextW(GetHandle(), label, percent.GetText());
}

LRESULT Sub_Baseline::EvCommand(UINT id, HWND control, UINT notifyCode) {
  const auto controlId = static_cast<int32_t>(id);
  if (control && notifyCode == EN_CHANGE &&
      std::find(std::begin(kChangeIds), std::end(kChangeIds), controlId) != std::end(kChangeIds))
    mList->OnControlNotify(controlId);
  if (control && notifyCode == BN_CLICKED && Owner()) OnFixedValueRadio(*mList, Owner()->Store(), kFixedValue, controlId);
  return ZRSubDlg::EvCommand(id, control, notifyCode);
}

}  // namespace ZR::Dlg
