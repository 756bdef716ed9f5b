// ZR::Dlg::Sub_DetectorCAP: the Detector page of "Cardiac Action Potential" and "Action
// Potential": minimum peak height and detection width, and where the width is measured.
#pragma once

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
  void OnHeightChange() { ChangeCycle(mControls, 1007, false); }
  void OnWidthChange() { ChangeCycle(mControls, 1008, false); }
  void OnRadioClick() { ChangeCycle(mControls, 1016, true); }
  LRESULT OnHeightSpin(NMHDR& header) { return SpinCycle(mControls, 1007, header); }
  LRESULT OnWidthSpin(NMHDR& header) { return SpinCycle(mControls, 1008, header); }

  QORControls::TBitmapGroupBox* mGroup;
  tCtrlList mControls;

  DECLARE_RESPONSE_TABLE(Sub_DetectorCAP);
};

}  // namespace ZR::Dlg
