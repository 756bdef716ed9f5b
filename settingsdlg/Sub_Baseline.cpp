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

constexpr int32_t kStartPercentEdit = 1047;
constexpr int32_t kFixedValueEdit = 1084;

// The start percentage binds setting 1033, under Action Potential 1034 (the constructor swaps it).
constexpr BindingRow kRows[] = {
    Single(Group()),
    Single(EnumBtn(1081, 1039, 0)),
    Single(EnumBtn(1082, 1039, 1)),
    Single(EnumBtn(1083, 1039, 2)),
    Single(UnitsEdit(kFixedValueEdit, 1085, 1040, 8)),
    Single(StaticText(1086)),
    Single(IntEdit(kStartPercentEdit, 1033, 3, 1075)),
    Single(StaticText(1087)),
    Single(StaticText(1088)),
    Single(IntEdit(1090, 1041, 3, 1091)),
    Single(StaticText(1089)),
};
constexpr int32_t kChangeIds[] = {kFixedValueEdit, kStartPercentEdit, 1090};
constexpr FixedValueRule kFixedValue{{1081, 1082, 1083}, kFixedValueEdit, 1039, 1};

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
    if (row.first.control == kStartPercentEdit && mType == kActionPotential) row.first.setting = 1034;
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
