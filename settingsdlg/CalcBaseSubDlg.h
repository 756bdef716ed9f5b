// ZR::Dlg::CalcBaseSubDlg: the base of the "Calculations" pages, one per analysis type; each page
// is its template and a table of bindings (start-end pairs checked for order) in one control
// list, and hands the changes of the table's edits to that list.
#pragma once

#include "settingsdlg/PageBindings.h"
#include "settingsdlg/ZRSubDlg.h"
#include "settingsdlg/tCtrlList.h"

#include <memory>

namespace ZR::Dlg {

class CalcBaseSubDlg : public Base::ZRSubDlg {
 public:
  CalcBaseSubDlg(int templateId, SettingsDlg* owner, IUnknown* hostDataDocument);
  ~CalcBaseSubDlg() override;

  void Store() override;
  bool IsValid() override;
  void Load() override;
  void SchedulePreview(bool) override {}

  void SetupWindow() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;

  tCtrlList& List() const noexcept { return *mList; }

 protected:
  // Builds the list from the table; the table's change ids are kept.
  void Bind(const PageTable& table);
  // After each load of the list; nothing here.
  virtual void AfterLoad() {}
  // A button was clicked; nothing here.
  virtual void OnClicked(int32_t) {}

 private:
  // A member of the page, so the wrappers go before the page's window object.
  std::unique_ptr<tCtrlList> mList;
  PageTable mTable{};
  bool mLoading = false;
};

}  // namespace ZR::Dlg
