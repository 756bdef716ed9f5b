// ZR::Dlg::Sub_DetectorER and ZR::Dlg::Sub_DetectorPS: their wrappers and notifications; the
// method list and nested page come from StimulusMethod.
#include "settingsdlg/Sub_DetectorER.h"

#include "controls/BitmapControls.h"
#include "document/SettingIds.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/Sub_DetectorPS.h"
#include "settingsdlg/tCheckedGroup.h"
#include "settingsdlg/tEdit.h"
#include "settingsdlg/tStaticText.h"
#include "settingsdlg/tUnitsEdit.h"

namespace ZR::Dlg {

namespace {

// Both pages: the response window after the stimulus, in ms.
void AddResponseWindow(tCtrlList& list, Doc::SettingsStore* store, OWL::TWindow* page) {
  list.AddCtrl(new tEdit(store, page, IDC_DET_FROM, Doc::kSettingDetectionStart, 5, IDC_DET_FROM_ERROR));
  list.AddCtrl(new tEdit(store, page, IDC_DET_TO, Doc::kSettingDetectionEnd, 5, IDC_DET_TO_ERROR));
}

}  // namespace

DEFINE_RESPONSE_TABLE1(Sub_DetectorER, Sub_DetectorBase)
  EV_CBN_SELCHANGE(IDC_DET_METHOD, OnMethodChange),
  EV_BN_CLICKED(IDC_DET_RESPONSES, OnResponsesClick),
  EV_EN_CHANGE(IDC_DET_HEIGHT, OnHeightChange),
  EV_EN_CHANGE(IDC_DET_FROM, OnFromChange),
  EV_EN_CHANGE(IDC_DET_TO, OnToChange),
  EV_NOTIFY(IDC_DET_HEIGHT_SPIN, UDN_DELTAPOS, OnHeightSpin),
END_RESPONSE_TABLE;

Sub_DetectorER::Sub_DetectorER(SettingsDlg* owner, IUnknown* hostDataDocument)
    : Sub_DetectorBase(IDD_DETECTOR_ER, owner, hostDataDocument),
      mGroup(new QORControls::TBitmapGroupBox(this, IDC_DET_GROUP, IDB_DETECTION_GROUP)),
      mMethod(*this) {
  Doc::SettingsStore* const store = &owner->Store();
  auto* const responses = new tCheckedGroup(store, this);
  AddResponseWindow(*responses, store, this);
  responses->AddCtrl(new tStaticText(store, this, IDC_DET_ER_MS_TO));
  responses->AddCtrl(new tStaticText(store, this, IDC_DET_ER_AFTER));
  responses->AddCtrl(new tStaticText(store, this, IDC_DET_MIN_HEIGHT_LABEL));
  responses->AddCtrl(new tUnitsEditUpDown(store, this, IDC_DET_HEIGHT, IDC_DET_HEIGHT_UNIT, IDC_DET_HEIGHT_SPIN,
                                          Doc::kSettingMinPeakHeight, 6, owner->ChannelUnits()));
  mControls.AddList(responses);
}

Sub_DetectorER::~Sub_DetectorER() = default;

void Sub_DetectorER::Store() { mMethod.StoreWith(mControls); }

bool Sub_DetectorER::IsValid() { return mMethod.ValidWith(mControls); }

void Sub_DetectorER::LoadControls() { mMethod.LoadWith(mControls); }

DEFINE_RESPONSE_TABLE1(Sub_DetectorPS, Sub_DetectorBase)
  EV_CBN_SELCHANGE(IDC_DET_METHOD, OnMethodChange),
  EV_EN_CHANGE(IDC_DET_FROM, OnFromChange),
  EV_EN_CHANGE(IDC_DET_TO, OnToChange),
END_RESPONSE_TABLE;

Sub_DetectorPS::Sub_DetectorPS(SettingsDlg* owner, IUnknown* hostDataDocument)
    : Sub_DetectorBase(IDD_DETECTOR_PS, owner, hostDataDocument),
      mGroup(new QORControls::TBitmapGroupBox(this, IDC_DET_GROUP, IDB_DETECTION_GROUP)),
      mMethod(*this) {
  AddResponseWindow(mControls, &owner->Store(), this);
}

Sub_DetectorPS::~Sub_DetectorPS() = default;

void Sub_DetectorPS::Store() { mMethod.StoreWith(mControls); }

bool Sub_DetectorPS::IsValid() { return mMethod.ValidWith(mControls); }

void Sub_DetectorPS::LoadControls() { mMethod.LoadWith(mControls); }

}  // namespace ZR::Dlg
