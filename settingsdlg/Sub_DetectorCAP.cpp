// ZR::Dlg::Sub_DetectorCAP: its wrappers and notifications.
#include "settingsdlg/Sub_DetectorCAP.h"

#include "controls/BitmapControls.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/tButton.h"
#include "settingsdlg/tUnitsEdit.h"

namespace ZR::Dlg {

DEFINE_RESPONSE_TABLE1(Sub_DetectorCAP, Sub_DetectorBase)
  EV_EN_CHANGE(IDC_DET_HEIGHT, OnHeightChange),
  EV_EN_CHANGE(IDC_DET_WIDTH, OnWidthChange),
  EV_BN_CLICKED(IDC_DET_HALF_HEIGHT, OnRadioClick),
  EV_BN_CLICKED(IDC_DET_AT_MIN_HEIGHT, OnRadioClick),
  EV_NOTIFY(IDC_DET_HEIGHT_SPIN, UDN_DELTAPOS, OnHeightSpin),
  EV_NOTIFY(IDC_DET_WIDTH_SPIN, UDN_DELTAPOS, OnWidthSpin),
END_RESPONSE_TABLE;

Sub_DetectorCAP::Sub_DetectorCAP(SettingsDlg* owner, IUnknown* hostDataDocument)
    : Sub_DetectorBase(IDD_DETECTOR_CAP, owner, hostDataDocument),
      mGroup(new QORControls::TBitmapGroupBox(this, IDC_DET_GROUP, IDB_DETECTION_GROUP)) {
  Doc::SettingsStore* const store = &owner->Store();
  const QOR::UnitWithPrefix& units = owner->ChannelUnits();
  const QOR::UnitWithPrefix ms{L"ms", 0};
  auto* const type = store->GetIntSetting(Doc::kSettingAnalysisType);
  // Read once: the page lives for one type.
  const Doc::SettingId widthId = type && type->Get() == 1 ? Doc::kSettingMinPeakWidthCAP : Doc::kSettingMinPeakWidthAP;
  mControls.AddCtrl(new tUnitsEditUpDown(store, this, IDC_DET_HEIGHT, IDC_DET_HEIGHT_UNIT, IDC_DET_HEIGHT_SPIN,
                                         Doc::kSettingMinPeakHeight, 6, units));
  mControls.AddCtrl(
      new tUnitsEditUpDown(store, this, IDC_DET_WIDTH, IDC_DET_WIDTH_UNIT, IDC_DET_WIDTH_SPIN, widthId, 6, ms));
  mControls.AddCtrl(new tButton(store, this, IDC_DET_HALF_HEIGHT, Doc::kSettingPeakWidthFilter, IDS_HALF_HEIGHT_TITLE,
                                IDS_HALF_HEIGHT_TEXT));
  mControls.AddCtrl(new tButInv(store, this, IDC_DET_AT_MIN_HEIGHT, Doc::kSettingPeakWidthFilter, IDS_MIN_HEIGHT_TITLE,
                                IDS_MIN_HEIGHT_TEXT));
}

Sub_DetectorCAP::~Sub_DetectorCAP() = default;

void Sub_DetectorCAP::Store() { mControls.StoreAll(); }

bool Sub_DetectorCAP::IsValid() { return mControls.AllValid(); }

void Sub_DetectorCAP::LoadControls() { mControls.LoadAll(); }

}  // namespace ZR::Dlg
