// The "Calculations" pages of the six analysis types: General - Unstimulated, Synaptic, Evoked
// Response, Cardiac Action Potential, Action Potential and Population Spike. Each is its template
// and its bindings on ZR::Dlg::CalcBaseSubDlg.
#pragma once

#include "settingsdlg/CalcBaseSubDlg.h"

namespace ZR::Dlg {

// The area, rise and fall, slope and tau of unstimulated peaks; "B s&et to" enables the fixed B.
class Sub_CalcGen final : public CalcBaseSubDlg {
 public:
  Sub_CalcGen(SettingsDlg* owner, IUnknown* hostDataDocument);

 protected:
  void AfterLoad() override;
  void OnClicked(int32_t control) override;
};

class Sub_CalcSynap final : public CalcBaseSubDlg {
 public:
  Sub_CalcSynap(SettingsDlg* owner, IUnknown* hostDataDocument);
};

class Sub_CalcER final : public CalcBaseSubDlg {
 public:
  Sub_CalcER(SettingsDlg* owner, IUnknown* hostDataDocument);
};

class Sub_CalcCAP final : public CalcBaseSubDlg {
 public:
  Sub_CalcCAP(SettingsDlg* owner, IUnknown* hostDataDocument);
};

class Sub_CalcNAP final : public CalcBaseSubDlg {
 public:
  Sub_CalcNAP(SettingsDlg* owner, IUnknown* hostDataDocument);
};

class Sub_CalcPS final : public CalcBaseSubDlg {
 public:
  Sub_CalcPS(SettingsDlg* owner, IUnknown* hostDataDocument);
};

}  // namespace ZR::Dlg
