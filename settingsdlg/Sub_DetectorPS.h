// ZR::Dlg::Sub_DetectorPS: the Detector page of "Population Spike": how stimuli are found, and
// the window after each stimulus in which population spikes are looked for.
#pragma once

#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/StimulusMethod.h"
#include "settingsdlg/Sub_DetectorBase.h"
#include "settingsdlg/tCtrlList.h"

namespace ZR::Dlg {

class Sub_DetectorPS : public Sub_DetectorBase {
 public:
  Sub_DetectorPS(SettingsDlg* owner, IUnknown* hostDataDocument);
  ~Sub_DetectorPS() override;

  void Store() override;
  bool IsValid() override;
  void LoadControls() override;

  StimulusMethod& Method() noexcept { return mMethod; }
  tCtrlList& Controls() noexcept override { return mControls; }

 private:
  void OnMethodChange() { mMethod.OnChange(); }
  void OnFromChange() { ChangeCycle(mControls, IDC_DET_FROM, false); }
  void OnToChange() { ChangeCycle(mControls, IDC_DET_TO, false); }

  tCtrlList mControls;
  QORControls::TBitmapGroupBox* mGroup;
  StimulusMethod mMethod;

  DECLARE_RESPONSE_TABLE(Sub_DetectorPS);
};

}  // namespace ZR::Dlg
