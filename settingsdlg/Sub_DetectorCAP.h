// ZR::Dlg::Sub_DetectorCAP: the Detector page of "Cardiac Action Potential" and "Action
// Potential": minimum peak height and detection width, and where the width is measured.
#pragma once

#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/Sub_DetectorBase.h"
#include "settingsdlg/tCtrlList.h"

namespace QORControls {
class TBitmapGroupBox;
}

namespace ZR::Dlg {

class Sub_DetectorCAP : public Sub_DetectorBase {
 public:
  Sub_DetectorCAP(SettingsDlg* owner, IUnknown* hostDataDocument);
  ~Sub_DetectorCAP() override;

  void Store() override;
  bool IsValid() override;
  void LoadControls() override;

  tCtrlList& Controls() noexcept override { return mControls; }

 private:
  void OnHeightChange() { ChangeCycle(mControls, IDC_DET_HEIGHT, false); }
  void OnWidthChange() { ChangeCycle(mControls, IDC_DET_WIDTH, false); }
  void OnRadioClick() { ChangeCycle(mControls, IDC_DET_HALF_HEIGHT, true); }
  LRESULT OnHeightSpin(NMHDR& header) { return SpinCycle(mControls, IDC_DET_HEIGHT, header); }
  LRESULT OnWidthSpin(NMHDR& header) { return SpinCycle(mControls, IDC_DET_WIDTH, header); }

  QORControls::TBitmapGroupBox* mGroup;
  tCtrlList mControls;

  DECLARE_RESPONSE_TABLE(Sub_DetectorCAP);
};

}  // namespace ZR::Dlg
