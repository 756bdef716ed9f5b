// ZR::Dlg::SubSub_MPH: loading the height, showing and validating it, and its notifications.
#include "settingsdlg/SubSub_MPH.h"

#include "base/LocaleInfo.h"
#include "controls/StaticTextErrorProvider.h"
#include "document/SettingsStore.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/PXDetectionSettings.h"
#include "platform/owl/TEdit.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TStatic.h"
#include "platform/owl/TUpDown.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/MinPeakHeightValue.h"
#include "settingsdlg/NumberTextError.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/TJSlider.h"

#include <cmath>

namespace ZR::Dlg {

namespace MPH = MinPeakHeight;

namespace {

QOR::String Text(UINT id) { return QOR::String(OWL::TModule::Default().LoadString(id).c_str()); }

wchar_t DecimalSeparator() {
  const wchar_t* const decimal = QOR::LocaleInfo::Get().Decimal();
  return decimal && decimal[0] ? decimal[0] : L'.';
}

}  // namespace

DEFINE_RESPONSE_TABLE1(SubSub_MPH, Base::ZRSubSubDlg)
  EV_EN_CHANGE(IDC_MPH_EDIT, OnTyped),
  EV_EN_KILLFOCUS(IDC_MPH_EDIT, OnEditLeft),
  EV_NOTIFY(IDC_MPH_SPIN, UDN_DELTAPOS, OnSpin),
  EV_NOTIFY(IDC_MPH_SLIDER, TJSlider::kTrackCode, OnTrack),
  EV_CHILD_NOTIFY(IDC_MPH_SLIDER, TB_ENDTRACK, OnReleased),
  EV_WM_TIMER,
END_RESPONSE_TABLE;

SubSub_MPH::SubSub_MPH(SettingsDlg* owner, OWL::TWindow* page, IUnknown* hostDataDocument)
    : ZRSubSubDlg(IDD_MIN_PEAK_HEIGHT, owner, hostDataDocument, page),
      mEdit(new OWL::TEdit(this, IDC_MPH_EDIT)),
      mSlider(new TJSlider(this, IDC_MPH_SLIDER, IDB_OWL_HSLIDER_THUMB, this)),
      mSpin(new OWL::TUpDown(this, IDC_MPH_SPIN)),
      mLowLabel(new OWL::TStatic(this, IDC_MPH_LOW)),
      mHighLabel(new OWL::TStatic(this, IDC_MPH_HIGH)),
      mCaption(new OWL::TStatic(this, IDC_MPH_CAPTION)),
      mUnitLabel(new QORControls::StaticTextErrorProvider(this, IDC_MPH_UNIT)) {}

IPXDetectionSettings* SubSub_MPH::Settings() const noexcept {
  return Owner() ? Owner()->Store().GetDetectionSettingsObject() : nullptr;
}

void SubSub_MPH::SetupWindow() {
  OWL::TDialog::SetupWindow();
  mSlider->SetRange(0, MPH::kSliderPositions - 1);
  mSlider->SetPosition(0);
  mSlider->SetRuler(20);
}

void SubSub_MPH::CleanupWindow() {
  KillTimer(kTypingTimer);
  Base::ZRSubSubDlg::CleanupWindow();
}

void SubSub_MPH::LoadFromSettings(const QOR::UnitWithPrefix& unit) {
  IPXDetectionSettings* const settings = Settings();
  if (!settings) return;
  VARIANT_BOOL relative = VARIANT_TRUE;
  double value = 0.0;
  settings->IsRelativeThreshold(&relative);
  settings->GetParameter(kPXParamMinHeight, &value);
  if (relative != VARIANT_FALSE) {
    SetRelativeMode(value);
  } else {
    QOR::String thresholdUnit;
    int32_t prefixIndex = 1;
    if (FAILED(settings->GetThresholdUnit(QOR::String(unit.baseUnit.c_str()).GetInterface(),
                                          QOR::PrefixIndexFromLetter(unit.prefix), QOR::StringOutParam(thresholdUnit),
                                          &prefixIndex))) {
      thresholdUnit = QOR::String(unit.baseUnit.c_str());
      prefixIndex = QOR::PrefixIndexFromLetter(unit.prefix);
    }
    double positiveOnly = 0.0;
    settings->GetParameter(kPXParamPositiveOnly, &positiveOnly);
    SetAbsoluteMode(QOR::UnitWithPrefix{thresholdUnit.GetText(), QOR::PrefixLetterFromIndex(prefixIndex)},
                    std::trunc(positiveOnly + 0.5) == 0.0, value);
  }
  QOR::String caption;
  if (SUCCEEDED(settings->GetCaption(QOR::StringOutParam(caption))) && !caption.IsEmpty())
    mCaption->SetText(caption.GetText());
}

void SubSub_MPH::SetRelativeMode(double value) {
  mSdMode = true;
  mUnit = QOR::UnitWithPrefix{Text(IDS_MPH_SD_UNIT).GetText(), 0};
  ShowValue(value, true, false);
  for (OWL::TWindow* window : {static_cast<OWL::TWindow*>(mSlider), static_cast<OWL::TWindow*>(mLowLabel),
                               static_cast<OWL::TWindow*>(mHighLabel)})
    window->ShowWindow(SW_SHOW);
  mUnitLabel->SetText(mUnit.baseUnit.c_str());
}

void SubSub_MPH::SetAbsoluteMode(const QOR::UnitWithPrefix& unit, bool positiveOnly, double value) {
  mSdMode = false;
  mPositiveOnly = positiveOnly;
  mUnit = unit;
  ShowValue(value / QOR::PrefixMultiplier(unit.prefix), true, false);
  for (OWL::TWindow* window : {static_cast<OWL::TWindow*>(mSlider), static_cast<OWL::TWindow*>(mLowLabel),
                               static_cast<OWL::TWindow*>(mHighLabel)})
    window->ShowWindow(SW_HIDE);
  mUnitLabel->SetText(QOR::FormatUnitPrefix(mUnit).c_str());
}

std::wstring SubSub_MPH::EditText() const {
  wchar_t text[100] = {};
  ::GetWindowTextW(mEdit->GetHandle(), text, 100);
  return text;
}

double SubSub_MPH::ShownNumber() const { return MPH::ReadNumber(EditText(), DecimalSeparator(), nullptr); }

double SubSub_MPH::CurrentValue() const { return ShownNumber() * QOR::PrefixMultiplier(mUnit.prefix); }

void SubSub_MPH::Store() {
  if (IPXDetectionSettings* const settings = Settings()) settings->SetParameter(kPXParamMinHeight, CurrentValue());
}

bool SubSub_MPH::IsValid() {
  return MPH::IsValidText(EditText(), DecimalSeparator(), MPH::BoundsOf(mSdMode, mPositiveOnly));
}

void SubSub_MPH::ShowValue(double value, bool writeText, bool keepCaret) {
  const bool tookBusy = !mBusy;
  mBusy = true;
  if (writeText) {
    int start = 0;
    int end = 0;
    if (keepCaret) {
      mEdit->GetSelection(start, end);
      if (start != 0) start = end = GetWindowTextLengthW(mEdit->GetHandle());
    }
    ::SetWindowTextW(mEdit->GetHandle(), ExtLib::FormatDouble(value, 5).c_str());
    if (keepCaret) mEdit->SetSelection(start, end);
  }
  ShowValidation();
  if (mSdMode) mSlider->SetPosition(MPH::SliderPosition(value), true);
  if (tookBusy) mBusy = false;
}

void SubSub_MPH::ShowValidation() {
  if (IsValid()) {
    mUnitLabel->SetError(QOR::String(), false, QOR::String());
    return;
  }
  const std::wstring typed = EditText();
  bool complete = false;
  MPH::ReadNumber(typed, DecimalSeparator(), &complete);
  if (typed.empty() || !complete) {
    const Doc::MessageAndCaption error = typed.empty() ? NumberNeededError() : NotANumberError(typed, DecimalSeparator());
    mUnitLabel->SetError(error.caption, true, error.message);
  } else if (mSdMode) {
    mUnitLabel->SetError(Text(IDS_MPH_CAPTION), true, Text(IDS_MPH_SD_RANGE));
  } else if (mPositiveOnly) {
    std::wstring message = Text(IDS_MPH_POSITIVE).GetText();
    const size_t at = message.find(L"%1");
    if (at != std::wstring::npos) message.replace(at, 2, QOR::FormatUnitPrefix(mUnit));
    mUnitLabel->SetError(Text(IDS_MPH_CAPTION), true, QOR::String(message.c_str()));
  } else {
    mUnitLabel->SetError(Text(IDS_MPH_INVALID_VALUE), true, Text(IDS_MPH_FLOAT));
  }
}

void SubSub_MPH::Changed() {
  if (mChanged) mChanged();
}

void SubSub_MPH::OnTyped() {
  if (mBusy) return;
  mBusy = true;
  ShowValue(ShownNumber(), false, false);
  KillTimer(kTypingTimer);
  SetTimer(kTypingTimer, 1000);
  mBusy = false;
}

void SubSub_MPH::OnEditLeft() {
  if (mBusy) return;
  Changed();
  KillTimer(kTypingTimer);
}

LRESULT SubSub_MPH::OnSpin(NMHDR& header) {
  if (mBusy) return 0;
  mBusy = true;
  const int delta = reinterpret_cast<const NMUPDOWN&>(header).iDelta;
  ShowValue(MPH::SpinStep(ShownNumber(), delta, MPH::BoundsOf(mSdMode, mPositiveOnly)), true, true);
  mBusy = false;
  Changed();
  KillTimer(kTypingTimer);
  return 0;
}

LRESULT SubSub_MPH::OnTrack(NMHDR&) {
  if (mBusy) return 0;
  mBusy = true;
  ShowValue(MPH::SliderValue(mSlider->TrackedPosition()), true, false);
  mBusy = false;
  return 0;
}

void SubSub_MPH::OnReleased() {
  if (mBusy) return;
  mBusy = true;
  ShowValue(MPH::SliderValue(mSlider->GetPosition()), true, false);
  mBusy = false;
  Changed();
  KillTimer(kTypingTimer);
}

void SubSub_MPH::EvTimer(UINT) {
  Changed();
  KillTimer(kTypingTimer);
}

}  // namespace ZR::Dlg
