// The Calculations pages' bindings: per page, the rows in the order the list holds them and the
// edits whose changes revalidate them (a pair's changes also check its order).
#include "settingsdlg/CalcPages.h"

#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/tCtrl.h"
#include "settingsdlg/SettingsPageIds.h"

#include <iterator>

namespace ZR::Dlg {

namespace {

template <size_t Rows, size_t Changes>
constexpr PageTable Table(const BindingRow (&rows)[Rows], const int32_t (&changes)[Changes]) {
  return {rows, Rows, changes, Changes};
}

// General - Unstimulated: slope, area, rise and fall, tau fit range, then how B is chosen.
constexpr BindingRow kGenRows[] = {
    Pair(LessOrEqual, Edit(1043, 1020, 5, 1072), Edit(1044, 1021, 5, 1073)),
    Pair(LessThan, Edit(1037, 1015, 5, 1068), Edit(1038, 1016, 5, 1069)),
    Pair(LessThan, IntEdit(1095, 1017, 8, 1097), IntEdit(1096, 1018, 8, 1098)),
    Pair(GreaterThan, IntEdit(1045, 1029, 8, 1074), IntEdit(1046, 1030, 8, 1075)),
    Single(EnumBtn(1041, 1037, 0)),
    Single(EnumBtn(1042, 1037, 1)),
    Single(EnumBtn(1048, 1037, 2)),
    Single(UnitsEdit(1011, 1080, 1038, 8)),
};
constexpr int32_t kGenChanges[] = {1037, 1038, 1043, 1044, 1095, 1096, 1045, 1046, 1011};
// B is the value of edit 1011 only while setting 1037 holds 2.
constexpr FixedValueRule kFixedB{{1041, 1042, 1048}, 1011, 1037, 2};

// Synaptic: a B of 2 (set on the General page) checks neither radio button and is kept.
constexpr BindingRow kSynapRows[] = {
    Pair(LessThan, Edit(1037, 1015, 5, 1068), Edit(1038, 1016, 5, 1069)),
    Pair(GreaterThan, IntEdit(1039, 1029, 8, 1071), IntEdit(1040, 1030, 8, 1074)),
    Pair(LessOrEqual, Edit(1043, 1020, 5, 1070), Edit(1044, 1021, 5, 1073)),
    Single(EnumBtn(1041, 1037, 0)),
    Single(EnumBtn(1042, 1037, 1)),
};
constexpr int32_t kSynapChanges[] = {1037, 1038, 1043, 1044, 1039, 1040};

// Evoked Response: as Synaptic with eight-character times, rise and fall, and the value location.
constexpr BindingRow kERRows[] = {
    Pair(LessThan, IntEdit(1095, 1017, 8, 1097), IntEdit(1096, 1018, 8, 1098)),
    Pair(LessThan, Edit(1037, 1015, 8, 1068), Edit(1038, 1016, 8, 1069)),
    Pair(LessOrEqual, Edit(1043, 1020, 8, 1070), Edit(1044, 1021, 8, 1073)),
    Pair(GreaterThan, IntEdit(1039, 1029, 8, 1071), IntEdit(1040, 1030, 8, 1074)),
    Single(EnumBtn(1041, 1037, 0)),
    Single(EnumBtn(1042, 1037, 1)),
    Single(Edit(1045, 1022, 8, 1072)),
};
constexpr int32_t kERChanges[] = {1095, 1096, 1037, 1038, 1045, 1043, 1044, 1039, 1040};

// Cardiac Action Potential: control and setting numbers differ (edit 1013 is setting 1026, edit
// 1048 setting 1013); the two triangulation levels may stand in any order.
constexpr BindingRow kCAPRows[] = {
    Pair(LessThan, IntEdit(1095, 1017, 8, 1097), IntEdit(1096, 1018, 8, 1098)),
    Single(IntEdit(1048, 1013, 8, 1070)),
    Single(Edit(1012, 1014, 5, 1071)),
    Single(IntEdit(1015, 1025, 8, 1072)),
    Single(Edit(1013, 1026, 5, 1073)),
    Single(APDDropList(1005, 1012)),
    Single(APDDropList(1049, 1011)),
    Single(IntEdit(1050, 1031, 5, 1074)),
    Single(Edit(1051, 1032, 5, 1076)),
};
// The rise and fall edits revalidate as they change, as on every other page, so that an order
// error is marked where the user typed it.
constexpr int32_t kCAPChanges[] = {1048, 1012, 1015, 1013, 1050, 1051, 1095, 1096};

constexpr BindingRow kNAPRows[] = {
    Single(IntEdit(1050, 1031, 5, 1074)),
    Single(Edit(1051, 1032, 5, 1076)),
    Pair(LessThan, IntEdit(1095, 1017, 8, 1097), IntEdit(1096, 1018, 8, 1098)),
};
constexpr int32_t kNAPChanges[] = {1050, 1051, 1095, 1096};

constexpr BindingRow kPSRows[] = {
    Single(Edit(1045, 1022, 8, 1072)),
    Pair(LessOrEqual, Edit(1043, 1020, 8, 1073), Edit(1044, 1021, 8, 1074)),
};
constexpr int32_t kPSChanges[] = {1045, 1043, 1044};

}  // namespace

Sub_CalcGen::Sub_CalcGen(SettingsDlg* owner, IUnknown* hostDataDocument)
    : CalcBaseSubDlg(IDD_CALC_GEN, owner, hostDataDocument) {
  Bind(Table(kGenRows, kGenChanges));
}

void Sub_CalcGen::AfterLoad() {
  if (Owner()) UpdateFixedValueControl(List(), Owner()->Store(), kFixedB);
}

void Sub_CalcGen::OnClicked(int32_t control) {
  if (Owner()) OnFixedValueRadio(List(), Owner()->Store(), kFixedB, control);
}

Sub_CalcSynap::Sub_CalcSynap(SettingsDlg* owner, IUnknown* hostDataDocument)
    : CalcBaseSubDlg(IDD_CALC_SYNAP, owner, hostDataDocument) {
  Bind(Table(kSynapRows, kSynapChanges));
}

Sub_CalcER::Sub_CalcER(SettingsDlg* owner, IUnknown* hostDataDocument)
    : CalcBaseSubDlg(IDD_CALC_ER, owner, hostDataDocument) {
  Bind(Table(kERRows, kERChanges));
}

Sub_CalcCAP::Sub_CalcCAP(SettingsDlg* owner, IUnknown* hostDataDocument)
    : CalcBaseSubDlg(IDD_CALC_CAP, owner, hostDataDocument) {
  Bind(Table(kCAPRows, kCAPChanges));
}

Sub_CalcNAP::Sub_CalcNAP(SettingsDlg* owner, IUnknown* hostDataDocument)
    : CalcBaseSubDlg(IDD_CALC_NAP, owner, hostDataDocument) {
  Bind(Table(kNAPRows, kNAPChanges));
}

Sub_CalcPS::Sub_CalcPS(SettingsDlg* owner, IUnknown* hostDataDocument)
    : CalcBaseSubDlg(IDD_CALC_PS, owner, hostDataDocument) {
  Bind(Table(kPSRows, kPSChanges));
}

}  // namespace ZR::Dlg
