// ZR::ChanCalc::Dlg: filling, reading and enabling the dialog's controls.
#include "chancalc/ChanCalcDlg.h"

#include "base/OFormatStream.h"
#include "base/OStringStream.h"
#include "base/String.h"
#include "base/WindowPlacement.h"
#include "chancalc/ChanCalcStringIds.h"
#include "controls/ControlsBitmapIds.h"
#include "controls/ControlsStringIds.h"
#include "controls/TBmpTxtButton.h"
#include "document/AnalysisType.h"
#include "document/ParamCatalogue.h"
#include "document/ParameterUnits.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRDoc.h"
#include "document/ZRSettingIO.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostclient/HostUnits.h"
#include "hostclient/ModuleInstance.h"
#include "platform/owl/TButton.h"
#include "platform/owl/TCheckBox.h"
#include "platform/owl/TComboBox.h"
#include "platform/owl/TEdit.h"
#include "platform/owl/TStatic.h"
#include "platform/owl/TUpDown.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <sstream>

namespace ZR::ChanCalc {

namespace {

constexpr int kCalculationsPage = 2;

int AnalysisType(const Doc::SettingsStore& store) {
  const auto* const type = store.GetIntSetting(Doc::kSettingAnalysisType);
  return type ? type->Get() : -1;
}

}  // namespace

std::wstring FormatScale(double value) {
  std::wostringstream text;
  text.precision(6);
  text << value;
  return text.str();
}

bool ParseScale(const std::wstring& text, double& value) {
  std::wistringstream in(text);
  double read = 0.0;
  in >> read;
  if (in.fail()) return false;
  in >> std::ws;
  if (!in.eof()) return false;
  value = read;
  return true;
}

int CatalogueIndexFromListPos(int position, const std::vector<int>& leftOut) noexcept {
  int index = position;
  for (int skipped : leftOut)
    if (skipped <= index) ++index;
  return index;
}

int ListPosFromCatalogueIndex(int index, const std::vector<int>& leftOut) noexcept {
  return index - static_cast<int>(std::count_if(leftOut.begin(), leftOut.end(), [&](int s) { return s <= index; }));
}

DEFINE_RESPONSE_TABLE1(Dlg, QOR::DialogBase)
  EV_COMMAND(QORControls::TBmpTxtButton::kControlId, CmHelp),
  EV_COMMAND(IDC_CC_SETTINGS, CmSettings),
  EV_CBN_SELCHANGE(IDC_CC_PARAMETER, EvParameterChanged),
  EV_NOTIFY(IDC_CC_SPIN, UDN_DELTAPOS, EvSpin),
  EV_EN_CHANGE(IDC_CC_DECIMALS, EvDecimalsTyped),
  EV_COMMAND(IDC_CC_AUTO_SCALE, CmAutoScale),
END_RESPONSE_TABLE;

Dlg::Dlg(OWL::TWindow* parent, IHostDocument* hostDocument, Doc::ZRDoc& document, SettingsCOM* settings)
    : QOR::DialogBase(parent, L"ZRCCDLG"),
      mSettings(settings),
      mHostDocument(hostDocument),
      mDocument(document),
      mType(AnalysisType(document.GetSettings())) {
  mParameters = new OWL::TComboBox(this, IDC_CC_PARAMETER);
  mSettingsButton = new OWL::TButton(this, IDC_CC_SETTINGS);
  mTopLabel = new OWL::TStatic(this, IDC_CC_TOP_LABEL);
  mTop = new OWL::TEdit(this, IDC_CC_TOP);
  mTopUnits = new OWL::TStatic(this, IDC_CC_TOP_UNITS);
  mBottomLabel = new OWL::TStatic(this, IDC_CC_BOTTOM_LABEL);
  mBottom = new OWL::TEdit(this, IDC_CC_BOTTOM);
  mBottomUnits = new OWL::TStatic(this, IDC_CC_BOTTOM_UNITS);
  mDecimals = new OWL::TEdit(this, IDC_CC_DECIMALS);
  mSpin = new OWL::TUpDown(this, IDC_CC_SPIN);
  mSpin->SetRange(100, 0);  // the control's own default: the up arrow reports -1
  mAutoScale = new OWL::TCheckBox(this, IDC_CC_AUTO_SCALE);
  mTypeName = new OWL::TEdit(this, IDC_CC_TYPE);
  mHelp = new QORControls::TBmpTxtButton(this, QOR::String());
  // The analysis channel's units as the host reads them back (base unit and prefix); without
  // them the measurements keep their own units.
  ComPtr<IHostDataDocument> data;
  if (hostDocument && SUCCEEDED(hostDocument->GetDataDocument(data.Out())) && data) {
    const auto channel = static_cast<int32_t>(document.GetSettings().GetLongValue(Doc::kSettingAnalysisChannel));
    const std::wstring units = ExtLib::GetChannelUnits(data.Get(), channel, 0);
    if (!units.empty()) QOR::ReadHostUnitText(units.c_str(), mSourceUnit);
  }
}

Dlg::~Dlg() { Destroy(IDCANCEL); }

int Dlg::CatalogueCount() const {
  const Doc::ParamCatalogue* const catalogue = mDocument.GetSettings().GetCatalogue();
  return catalogue ? catalogue->Count(mType) : 0;
}

void Dlg::SetupWindow() {
  QOR::DialogBase::SetupWindow();
  QOR::WindowPlacement& placement = mDocument.SettingsPersistence().ChannelCalcPlacement();
  if (placement.valid) {
    RECT place = placement.rect;
    QOR::KeepWindowOnMonitor(place);
    ::SetWindowPos(mHandle, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  UpdateUnits();
  FillParameterList();
  UpdateSettingsButton();
  EnableScaleControls();
  static const QOR::String format(GetModuleInstance(), IDS_CC_DIALOG_CAPTION, true);
  QOR::OStringStream caption;
  QOR::OFormatStream filled(caption.rdbuf(), format);
  filled << ExtLib::GetHostObjectText(mHostDocument, mSettings->Values().outputChannel).GetText();
  SetWindowText(caption.str().GetText());
  mHelp->SetBitmap(IDB_HELP_GLYPH);
  mHelp->SetTipText(QOR::String(GetModuleInstance(), IDS_DIALOG_HELP_TIP, true));
  mSetUp = true;
}

void Dlg::CleanupWindow() {
  QOR::DialogBase::CleanupWindow();
  mDocument.SettingsPersistence().ChannelCalcPlacement() = QOR::CaptureWindowPlacement(mHandle);
}

bool Dlg::CanClose() {
  ReadControls();
  return true;
}

void Dlg::FillParameterList() {
  mUpdating = true;
  mType = AnalysisType(mDocument.GetSettings());
  const Doc::ParamCatalogue* const catalogue = mDocument.GetSettings().GetCatalogue();
  mLeftOut.clear();
  const int stamp = catalogue ? catalogue->IndexOfId(mType, kTimeStampId) : -1;
  if (stamp >= 0) mLeftOut.push_back(stamp);
  mTypeName->SetText(Doc::AnalysisTypeName(mType).GetText());
  mParameters->ClearList();
  const int shown = CatalogueCount() - static_cast<int>(mLeftOut.size());
  for (int position = 0; catalogue && position < shown; ++position)
    mParameters->AddString(catalogue->GetShortName(mType, CatalogueIndexFromListPos(position, mLeftOut)).GetText());
  mUpdating = false;
  UpdateControls();
}

void Dlg::UpdateControls() {
  mUpdating = true;
  const SettingsValues& values = mSettings->Values();
  const Doc::ParamCatalogue* const catalogue = mDocument.GetSettings().GetCatalogue();
  const int index = catalogue ? catalogue->IndexOfId(mType, values.parameterId) : -1;
  mParameters->SetSelIndex(index < 0 ? 0 : ListPosFromCatalogueIndex(index, mLeftOut));
  mDecimals->SetText(ExtLib::FormatDouble(values.decimalPlaces, 1).c_str());
  mAutoScale->SetCheck(values.autoScale ? BST_CHECKED : BST_UNCHECKED);
  const double multiplier = QOR::PrefixMultiplier(mParameterUnit.prefix);
  mTop->SetText(FormatScale(values.scaleTop / multiplier).c_str());
  mBottom->SetText(FormatScale(values.scaleBottom / multiplier).c_str());
  mUpdating = false;
}

// A scale text that is not a number keeps the value it had.
void Dlg::ReadControls() {
  SettingsValues& values = mSettings->Values();
  const Doc::ParamCatalogue* const catalogue = mDocument.GetSettings().GetCatalogue();
  const int position = mParameters->GetSelIndex();
  if (catalogue && position >= 0)
    values.parameterId = catalogue->GetId(mType, CatalogueIndexFromListPos(position, mLeftOut));
  wchar_t text[100] = {};
  ::GetWindowTextW(mDecimals->GetHandle(), text, 100);
  values.decimalPlaces = static_cast<int32_t>(std::wcstol(text, nullptr, 10));
  values.autoScale = mAutoScale->GetCheck() == BST_CHECKED;
  const double multiplier = QOR::PrefixMultiplier(mParameterUnit.prefix);
  double scale = 0.0;
  if (ParseScale(mTop->GetText(), scale)) values.scaleTop = static_cast<float>(scale * multiplier);
  if (ParseScale(mBottom->GetText(), scale)) values.scaleBottom = static_cast<float>(scale * multiplier);
}

void Dlg::UpdateUnits() {
  if (mSetUp) ReadControls();
  mParameterUnit = Doc::ParameterUnits(mSettings->Values().parameterId, mSourceUnit.baseUnit, mSourceUnit.prefix);
  const std::wstring unit = QOR::FormatUnitPrefix(mParameterUnit);
  mUpdating = true;
  mTopUnits->SetText(unit.c_str());
  mBottomUnits->SetText(unit.c_str());
  mUpdating = false;
}

void Dlg::UpdateSettingsButton() {
  const Doc::ParamCatalogue* const catalogue = mDocument.GetSettings().GetCatalogue();
  const int position = mParameters->GetSelIndex();
  const bool flagged =
      catalogue && position >= 0 && catalogue->GetFlag(mType, CatalogueIndexFromListPos(position, mLeftOut)) != 0;
  mSettingsButton->EnableWindow(flagged);
}

void Dlg::EnableScaleControls() {
  const bool manual = mAutoScale->GetCheck() != BST_CHECKED;
  for (OWL::TWindow* control : {static_cast<OWL::TWindow*>(mTop), static_cast<OWL::TWindow*>(mBottom),
                                static_cast<OWL::TWindow*>(mTopLabel), static_cast<OWL::TWindow*>(mBottomLabel),
                                static_cast<OWL::TWindow*>(mTopUnits), static_cast<OWL::TWindow*>(mBottomUnits)})
    control->EnableWindow(manual);
}

void Dlg::CmHelp() { mDocument.ShowHelpTopic(L"ZR_ChannelCalc"); }

void Dlg::CmSettings() {
  if (auto* const tab = mDocument.GetSettings().GetIntSetting(Doc::kSettingSettingsTab)) tab->Set(1);
  mDocument.RunSettingsDialog(kCalculationsPage, this);
  FillParameterList();
}

void Dlg::EvParameterChanged() {
  if (mUpdating) return;
  UpdateUnits();
  UpdateControls();
  UpdateSettingsButton();
}

LRESULT Dlg::EvSpin(NMHDR& header) {
  if (mUpdating) return 0;
  ReadControls();
  const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
  SettingsValues& values = mSettings->Values();
  values.decimalPlaces = std::clamp(values.decimalPlaces - change.iDelta, 0, kMaxDecimalPlaces);
  UpdateControls();
  return 0;
}

void Dlg::EvDecimalsTyped() {
  if (mUpdating) return;
  ReadControls();
  SettingsValues& values = mSettings->Values();
  if (values.decimalPlaces >= 0 && values.decimalPlaces <= kMaxDecimalPlaces) return;
  values.decimalPlaces = std::clamp(values.decimalPlaces, 0, kMaxDecimalPlaces);
  UpdateControls();
}

void Dlg::CmAutoScale() {
  if (mUpdating) return;
  ReadControls();
  EnableScaleControls();
}

}  // namespace ZR::ChanCalc
