// ZR::Dlg::Sub_DetectorER: the Detector page of "Evoked Response": how stimuli are found, and
// the window after each stimulus in which responses of a minimum height are detected.
#pragma once

#include "settingsdlg/DetectorPageIds.h"
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
  void OnResponsesClick() { ChangeCycle(mControls, IDC_DET_RESPONSES, true); }
  void OnHeightChange() { ChangeCycle(mControls, IDC_DET_HEIGHT, false); }
  void OnFromChange() { ChangeCycle(mControls, IDC_DET_FROM, false); }
  void OnToChange() { ChangeCycle(mControls, IDC_DET_TO, false); }
  LRESULT OnHeightSpin(NMHDR& header) { return SpinCycle(mControls, IDC_DET_HEIGHT, header); }

  QORControls::TBitmapGroupBox* mGroup;
  tCtrlList mControls;
  StimulusMethod mMethod;

  DECLARE_RESPONSE_TABLE(Sub_DetectorER);
};

}  // namespace ZR::Dlg
