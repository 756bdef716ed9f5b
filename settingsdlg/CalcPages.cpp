// The Calculations pages' bindings: per page, the rows in the order the list holds them and the
// edits whose changes revalidate them (a pair's changes also check its order).
#include "settingsdlg/CalcPages.h"

#include <iterator>

#include "document/SettingIds.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/SettingsPageIds.h"
#include "settingsdlg/tCtrl.h"

namespace ZR::Dlg {

namespace {

template <size_t Rows, size_t Changes>
constexpr PageTable Table(const BindingRow (&rows)[Rows], const int32_t (&changes)[Changes]) {
  return {rows, Rows, changes, Changes};
}

// General - Unstimulated: slope, area, rise and fall, tau fit range, then how B is chosen.
constexpr BindingRow kGenRows[] = {
    Pair(LessOrEqual, Edit(IDC_CALC_SLOPE_START, Doc::kSettingSlopeStart, 5, 1072),
         Edit(IDC_CALC_SLOPE_END, Doc::kSettingSlopeEnd, 5, 1073)),
    Pair(LessThan, Edit(IDC_CALC_AREA_START, Doc::kSettingAreaStart, 5, 1068),
         Edit(IDC_CALC_AREA_END, Doc::kSettingAreaEnd, 5, 1069)),
    Pair(LessThan, IntEdit(IDC_CALC_RISE_START, Doc::kSettingRiseStart, 8, 1097),
         IntEdit(IDC_CALC_RISE_END, Doc::kSettingRiseEnd, 8, 1098)),
    Pair(GreaterThan, IntEdit(IDC_GEN_TAU_START, Doc::kSettingTauStart, 8, 1074),
         IntEdit(IDC_GEN_TAU_END, Doc::kSettingTauEnd, 8, 1075)),
    Single(EnumBtn(IDC_CALC_B_FITTED, Doc::kSettingTauMode, 0)),
    Single(EnumBtn(IDC_CALC_B_BASELINE, Doc::kSettingTauMode, 1)),
    Single(EnumBtn(IDC_GEN_B_FIXED, Doc::kSettingTauMode, 2)),
    Single(UnitsEdit(IDC_GEN_B_VALUE, IDC_GEN_B_UNITS, Doc::kSettingTauFixedValue, 8)),
};
constexpr int32_t kGenChanges[] = {IDC_CALC_AREA_START, IDC_CALC_AREA_END,   IDC_CALC_SLOPE_START,
                                   IDC_CALC_SLOPE_END,  IDC_CALC_RISE_START, IDC_CALC_RISE_END,
                                   IDC_GEN_TAU_START,   IDC_GEN_TAU_END,     IDC_GEN_B_VALUE};
// B is the value of its edit only while the tau mode holds 2.
constexpr FixedValueRule kFixedB{
    {IDC_CALC_B_FITTED, IDC_CALC_B_BASELINE, IDC_GEN_B_FIXED}, IDC_GEN_B_VALUE, Doc::kSettingTauMode, 2};

// Synaptic: a B of 2 (set on the General page) checks neither radio button and is kept.
constexpr BindingRow kSynapRows[] = {
    Pair(LessThan, Edit(IDC_CALC_AREA_START, Doc::kSettingAreaStart, 5, 1068),
         Edit(IDC_CALC_AREA_END, Doc::kSettingAreaEnd, 5, 1069)),
    Pair(GreaterThan, IntEdit(IDC_CALC_TAU_START, Doc::kSettingTauStart, 8, 1071),
         IntEdit(IDC_CALC_TAU_END, Doc::kSettingTauEnd, 8, 1074)),
    Pair(LessOrEqual, Edit(IDC_CALC_SLOPE_START, Doc::kSettingSlopeStart, 5, 1070),
         Edit(IDC_CALC_SLOPE_END, Doc::kSettingSlopeEnd, 5, 1073)),
    Single(EnumBtn(IDC_CALC_B_FITTED, Doc::kSettingTauMode, 0)),
    Single(EnumBtn(IDC_CALC_B_BASELINE, Doc::kSettingTauMode, 1)),
};
constexpr int32_t kSynapChanges[] = {IDC_CALC_AREA_START, IDC_CALC_AREA_END,  IDC_CALC_SLOPE_START,
                                     IDC_CALC_SLOPE_END,  IDC_CALC_TAU_START, IDC_CALC_TAU_END};

// Evoked Response: as Synaptic with eight-character times, rise and fall, and the value location.
constexpr BindingRow kERRows[] = {
    Pair(LessThan, IntEdit(IDC_CALC_RISE_START, Doc::kSettingRiseStart, 8, 1097),
         IntEdit(IDC_CALC_RISE_END, Doc::kSettingRiseEnd, 8, 1098)),
    Pair(LessThan, Edit(IDC_CALC_AREA_START, Doc::kSettingAreaStart, 8, 1068),
         Edit(IDC_CALC_AREA_END, Doc::kSettingAreaEnd, 8, 1069)),
    Pair(LessOrEqual, Edit(IDC_CALC_SLOPE_START, Doc::kSettingSlopeStart, 8, 1070),
         Edit(IDC_CALC_SLOPE_END, Doc::kSettingSlopeEnd, 8, 1073)),
    Pair(GreaterThan, IntEdit(IDC_CALC_TAU_START, Doc::kSettingTauStart, 8, 1071),
         IntEdit(IDC_CALC_TAU_END, Doc::kSettingTauEnd, 8, 1074)),
    Single(EnumBtn(IDC_CALC_B_FITTED, Doc::kSettingTauMode, 0)),
    Single(EnumBtn(IDC_CALC_B_BASELINE, Doc::kSettingTauMode, 1)),
    Single(Edit(IDC_CALC_VALUE, Doc::kSettingValueLocation, 8, 1072)),
};
constexpr int32_t kERChanges[] = {IDC_CALC_RISE_START, IDC_CALC_RISE_END,  IDC_CALC_AREA_START,
                                  IDC_CALC_AREA_END,   IDC_CALC_VALUE,     IDC_CALC_SLOPE_START,
                                  IDC_CALC_SLOPE_END,  IDC_CALC_TAU_START, IDC_CALC_TAU_END};

// Cardiac Action Potential: the two triangulation levels may stand in any order.
constexpr BindingRow kCAPRows[] = {
    Pair(LessThan, IntEdit(IDC_CALC_RISE_START, Doc::kSettingRiseStart, 8, 1097),
         IntEdit(IDC_CALC_RISE_END, Doc::kSettingRiseEnd, 8, 1098)),
    Single(IntEdit(IDC_CAP_PLATEAU1_CENTRE, Doc::kSettingMidPlateauPercent, 8, 1070)),
    Single(Edit(IDC_CAP_PLATEAU1_WIDTH, Doc::kSettingPlateauLevelWidth, 5, 1071)),
    Single(IntEdit(IDC_CAP_PLATEAU2_CENTRE, Doc::kSettingPlateauCentre, 8, 1072)),
    Single(Edit(IDC_CAP_PLATEAU2_WIDTH, Doc::kSettingPlateauVoltageWidth, 5, 1073)),
    Single(APDDropList(IDC_CAP_TRIANGULATION_END, Doc::kSettingTriangulationEnd)),
    Single(APDDropList(IDC_CAP_TRIANGULATION_START, Doc::kSettingTriangulationStart)),
    Single(IntEdit(IDC_CALC_MAX_NEG_SLOPE_START, Doc::kSettingMaxNegSlopeStart, 5, 1074)),
    Single(Edit(IDC_CALC_MAX_NEG_SLOPE_WINDOW, Doc::kSettingMaxNegSlopeSmoothing, 5, 1076)),
};
// The rise and fall edits revalidate as they change, as on every other page, so that an order
// error is marked where the user typed it.
constexpr int32_t kCAPChanges[] = {
    IDC_CAP_PLATEAU1_CENTRE,      IDC_CAP_PLATEAU1_WIDTH,        IDC_CAP_PLATEAU2_CENTRE, IDC_CAP_PLATEAU2_WIDTH,
    IDC_CALC_MAX_NEG_SLOPE_START, IDC_CALC_MAX_NEG_SLOPE_WINDOW, IDC_CALC_RISE_START,     IDC_CALC_RISE_END};

constexpr BindingRow kNAPRows[] = {
    Single(IntEdit(IDC_CALC_MAX_NEG_SLOPE_START, Doc::kSettingMaxNegSlopeStart, 5, 1074)),
    Single(Edit(IDC_CALC_MAX_NEG_SLOPE_WINDOW, Doc::kSettingMaxNegSlopeSmoothing, 5, 1076)),
    Pair(LessThan, IntEdit(IDC_CALC_RISE_START, Doc::kSettingRiseStart, 8, 1097),
         IntEdit(IDC_CALC_RISE_END, Doc::kSettingRiseEnd, 8, 1098)),
};
constexpr int32_t kNAPChanges[] = {IDC_CALC_MAX_NEG_SLOPE_START, IDC_CALC_MAX_NEG_SLOPE_WINDOW, IDC_CALC_RISE_START,
                                   IDC_CALC_RISE_END};

constexpr BindingRow kPSRows[] = {
    Single(Edit(IDC_CALC_VALUE, Doc::kSettingValueLocation, 8, 1072)),
    Pair(LessOrEqual, Edit(IDC_CALC_SLOPE_START, Doc::kSettingSlopeStart, 8, 1073),
         Edit(IDC_CALC_SLOPE_END, Doc::kSettingSlopeEnd, 8, 1074)),
};
constexpr int32_t kPSChanges[] = {IDC_CALC_VALUE, IDC_CALC_SLOPE_START, IDC_CALC_SLOPE_END};

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
