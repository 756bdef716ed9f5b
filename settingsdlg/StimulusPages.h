// The nested pages that say where the stimuli are: ZR::Dlg::SubSub_FixedPosition (at a fixed
// time from the start of each block) and ZR::Dlg::SubSub_MinHeightMaxWidthSkipTime (found by
// height and width, every interval or once per block from a start).
#pragma once

#include "settingsdlg/ZRSubDlg.h"
#include "settingsdlg/tCtrlList.h"

namespace ZR::Dlg {

class Sub_DetectorBase;

class SubSub_FixedPosition : public Base::ZRSubSubDlg {
 public:
  SubSub_FixedPosition(SettingsDlg* owner, Sub_DetectorBase* page, IUnknown* hostDataDocument);

  void Store() override { mControls.StoreAll(); }
  bool IsValid() override { return mControls.AllValid(); }
  void SetupWindow() override;

 private:
  void OnPositionChange();

  Sub_DetectorBase* mPage;
  tCtrlList mControls;

  DECLARE_RESPONSE_TABLE(SubSub_FixedPosition);
};

class SubSub_MinHeightMaxWidthSkipTime : public Base::ZRSubSubDlg {
 public:
  SubSub_MinHeightMaxWidthSkipTime(SettingsDlg* owner, Sub_DetectorBase* page, IUnknown* hostDataDocument,
                                   bool onePerBlock);

  void Store() override { mControls.StoreAll(); }
  bool IsValid() override { return mControls.AllValid(); }
  void SetupWindow() override;

  tCtrlList& Controls() noexcept { return mControls; }

 private:
  void OnMaxWidthChange();
  void OnMinHeightChange();
  void OnSkipChange();

  Sub_DetectorBase* mPage;
  bool mOnePerBlock;
  tCtrlList mControls;

  DECLARE_RESPONSE_TABLE(SubSub_MinHeightMaxWidthSkipTime);
};

}  // namespace ZR::Dlg
