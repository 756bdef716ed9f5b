// ZR::Dlg::Sub_Baseline: the "Baseline" ("RMP") page: how a peak's baseline is found (automatic,
// a fixed value in the channel's unit, the minimum between peaks) and the percentages of the
// height at which a peak starts and ends. Disabled as a whole under Population Spike.
#pragma once

#include "settingsdlg/ZRSubDlg.h"
#include "settingsdlg/tCtrlList.h"

#include <cstdint>
#include <memory>

namespace ZR::Dlg {

class Sub_Baseline : public Base::ZRSubDlg {
 public:
  Sub_Baseline(SettingsDlg* owner, IUnknown* hostDataDocument);
  ~Sub_Baseline() override;

  void Store() override;
  bool IsValid() override;
  // The list, then (except under Population Spike) the fixed value's enabled state.
  void Load() override;
  void SchedulePreview(bool) override {}

  void SetupWindow() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;

  tCtrlList& List() const noexcept { return *mList; }
  int32_t AnalysisType() const noexcept { return mType; }

 private:
  void ApplyRmpLabels();

  // A member of the page, so the wrappers go before the page's window object.
  std::unique_ptr<tCtrlList> mList;
  int32_t mType;
};

}  // namespace ZR::Dlg
