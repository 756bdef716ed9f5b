// ZR::Dlg::PlaceholderPage: the page shown on a tab whose page this version does not have: it
// says so, keeps nothing and is always valid.
#pragma once

#include "settingsdlg/ZRSubDlg.h"

#include <string>

namespace ZR::Dlg {

class PlaceholderPage : public Base::ZRSubDlg {
 public:
  // className: the page class that belongs on the tab.
  PlaceholderPage(SettingsDlg* owner, IUnknown* hostDataDocument, const wchar_t* className);

  const std::wstring& ClassName() const noexcept { return mClassName; }
  void Store() override {}
  bool IsValid() override { return true; }
  void Load() override {}
  void SchedulePreview(bool) override {}

 private:
  std::wstring mClassName;
};

}  // namespace ZR::Dlg
