// The nested stimulus pages: their wrappers, set-up and change cycles on the owning page.
#include "settingsdlg/StimulusPages.h"

#include "controls/StaticTextErrorProvider.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "platform/owl/TDialog.h"
#include "platform/owl/TModule.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/Sub_DetectorBase.h"
#include "settingsdlg/UpdatingScope.h"
#include "settingsdlg/tEdit.h"
#include "settingsdlg/tStaticText.h"
#include "settingsdlg/tUnitsEdit.h"

namespace ZR::Dlg {

DEFINE_RESPONSE_TABLE1(SubSub_FixedPosition, Base::ZRSubSubDlg)
  EV_EN_CHANGE(IDC_STIM_POSITION, OnPositionChange),
END_RESPONSE_TABLE;

SubSub_FixedPosition::SubSub_FixedPosition(SettingsDlg* owner, Sub_DetectorBase* page, IUnknown* hostDataDocument)
    : ZRSubSubDlg(IDD_STIM_FIXED_POSITION, owner, hostDataDocument, page), mPage(page) {
  mControls.AddCtrl(
      new tEdit(&owner->Store(), this, IDC_STIM_POSITION, Doc::kSettingStimulusPosition, 8, IDC_STIM_POSITION_ERROR));
}

void SubSub_FixedPosition::SetupWindow() {
  UpdatingScope scope(mPage->Updating());
  OWL::TDialog::SetupWindow();
  mControls.LoadAll();
}

void SubSub_FixedPosition::OnPositionChange() { mPage->ChangeCycle(mControls, IDC_STIM_POSITION, false); }

DEFINE_RESPONSE_TABLE1(SubSub_MinHeightMaxWidthSkipTime, Base::ZRSubSubDlg)
  EV_EN_CHANGE(IDC_STIM_MAX_WIDTH, OnMaxWidthChange),
  EV_EN_CHANGE(IDC_STIM_MIN_HEIGHT, OnMinHeightChange),
  EV_EN_CHANGE(IDC_STIM_SKIP, OnSkipChange),
END_RESPONSE_TABLE;

SubSub_MinHeightMaxWidthSkipTime::SubSub_MinHeightMaxWidthSkipTime(SettingsDlg* owner, Sub_DetectorBase* page,
                                                                   IUnknown* hostDataDocument, bool onePerBlock)
    : ZRSubSubDlg(IDD_STIM_HEIGHT_WIDTH, owner, hostDataDocument, page), mPage(page), mOnePerBlock(onePerBlock) {
  Doc::SettingsStore* const store = &owner->Store();
  auto* const type = store->GetIntSetting(Doc::kSettingAnalysisType);
  const Doc::SettingId heightId =
      type && type->Get() == 3 ? Doc::kSettingMinStimulusHeightER : Doc::kSettingMinStimulusHeightPS;
  mControls.AddCtrl(
      new tEditLabelError(store, this, IDC_STIM_MAX_WIDTH, IDC_STIM_MAX_WIDTH_UNIT, Doc::kSettingMaxArtifactWidth, 5));
  mControls.AddCtrl(
      new tUnitsEdit(store, this, IDC_STIM_MIN_HEIGHT, IDC_STIM_MIN_HEIGHT_UNIT, heightId, 8, owner->ChannelUnits()));
  mControls.AddCtrl(new tStaticText(store, this, IDC_STIM_SKIP_LABEL));
  mControls.AddCtrl(new tEditLabelError(store, this, IDC_STIM_SKIP, IDC_STIM_SKIP_UNIT,
                                        onePerBlock ? Doc::kSettingSearchStart : Doc::kSettingMinArtifactInterval, 5));
}

void SubSub_MinHeightMaxWidthSkipTime::SetupWindow() {
  UpdatingScope scope(mPage->Updating());
  OWL::TDialog::SetupWindow();
  if (mOnePerBlock) {
    const OWL::TModule& module = OWL::TModule::Default();
    SetDlgItemTextW(GetHandle(), IDC_STIM_SKIP_LABEL, module.LoadString(IDS_STIM_START).c_str());
    if (tCtrl* const skip = mControls.FindCtrl(IDC_STIM_SKIP); skip && skip->LabelError())
      skip->LabelError()->SetText(module.LoadString(IDS_STIM_INTO_BLOCK).c_str());
  }
  mControls.LoadAll();
}

void SubSub_MinHeightMaxWidthSkipTime::OnMaxWidthChange() { mPage->ChangeCycle(mControls, IDC_STIM_MAX_WIDTH, false); }
void SubSub_MinHeightMaxWidthSkipTime::OnMinHeightChange() {
  mPage->ChangeCycle(mControls, IDC_STIM_MIN_HEIGHT, false);
}
void SubSub_MinHeightMaxWidthSkipTime::OnSkipChange() { mPage->ChangeCycle(mControls, IDC_STIM_SKIP, false); }

}  // namespace ZR::Dlg
