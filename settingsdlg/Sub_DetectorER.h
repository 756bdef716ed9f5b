// ZR::Dlg::Sub_DetectorER: the Detector page of "Evoked Response": how stimuli are found, and
// the window after each stimulus in which responses of a minimum height are detected.
#pragma once

#include "settingsdlg/StimulusMethod.h"
#include "settingsdlg/Sub_DetectorBase.h"
#include "settingsdlg/tCtrlList.h"

namespace ZR::Dlg {

class Sub_DetectorER : public Sub_DetectorBase {
 public:
  Sub_DetectorER(SettingsDlg* owner, IUnknown* hostDataDocument);
  ~Sub_DetectorER() override;

  void Store() override;
  bool IsValid() override;
  void LoadControls() override;

  StimulusMethod& Method() noexcept { return mMethod; }
  tCtrlList& Controls() noexcept override { return mControls; }

 private:
  void OnMethodChange() { mMethod.OnChange(); }
  void OnResponsesClick() { ChangeCycle(mControls, 1059, true); }
  void OnHeightChange() { ChangeCycle(mControls, 1007, false); }
  void OnFromChange() { ChangeCycle(mControls, 1013, false); }
  void OnToChange() { ChangeCycle(mControls, 1018, false); }
  LRESULT OnHeightSpin(NMHDR& header) { return SpinCycle(mControls, 1007, header); }

  QORControls::TBitmapGroupBox* mGroup;
  tCtrlList mControls;
  StimulusMethod mMethod;

  DECLARE_RESPONSE_TABLE(Sub_DetectorER);
};

}  // namespace ZR::Dlg
