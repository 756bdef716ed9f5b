// A test page on the test template: its wrappers are added to List before the window is made, and
// it hands control notifications to the list as a settings page does. The store is a real one
// with a group for channel 0, under a known user locale.
#pragma once

#include "base/LocaleInfo.h"
#include "base/ModalMessageBox.h"
#include "document/SettingsStore.h"
#include "platform/owl/TDialog.h"
#include "settingsdlg/tCtrlList.h"
#include "tests/base/FakeLocaleSystem.h"
#include "tests/settingsdlg/WrapperTestIds.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <memory>

class WrapperTestPage : public OWL::TDialog {
 public:
  WrapperTestPage() : TDialog(nullptr, IDD_WRAPPER_TEST) {}
  ZR::tCtrlList List;
  int Notifications = 0;

  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override {
    if (control && (notifyCode == EN_CHANGE || notifyCode == BN_CLICKED || notifyCode == CBN_SELCHANGE)) {
      ++Notifications;
      List.OnControlNotify(static_cast<int32_t>(id));
    }
    return TDialog::EvCommand(id, control, notifyCode);
  }
  LRESULT EvNotify(UINT id, NMHDR& header) override {
    // The spin control serves the edit beside it.
    if (header.code == UDN_DELTAPOS && id == IDC_TEST_SPIN)
      return List.OnSpinNotify(IDC_TEST_SPIN_EDIT, 0, reinterpret_cast<NMUPDOWN*>(&header));
    return TDialog::EvNotify(id, header);
  }
};

// A user with the given decimal separator, "'" for thousands and "/" in dates.
inline std::map<LCTYPE, std::wstring> UserSettings(const wchar_t* decimal) {
  auto settings = fakelocale::GermanSettings();
  settings[LOCALE_SDECIMAL] = decimal;
  settings[LOCALE_STHOUSAND] = L"'";
  settings[LOCALE_SDATE] = L"/";
  return settings;
}

class WrapperFixture : public ::testing::Test {
 protected:
  ScriptedModalSeam seam;
  QOR::MessageBoxFunction previousHook = QOR::SetMessageBoxHook(&fakelocale::RecordBox);
  std::unique_ptr<QOR::LocaleInfo> locale;
  ZR::Doc::SettingsStore store{nullptr};
  std::unique_ptr<WrapperTestPage> page = std::make_unique<WrapperTestPage>();

  void SetUp() override {
    UseDecimal(L".");
    store.GetOrCreateGroup(0, -1, nullptr);
  }
  void TearDown() override {
    page.reset();
    locale.reset();
    QOR::SetMessageBoxHook(previousHook);
  }
  void UseDecimal(const wchar_t* decimal) {
    locale.reset();
    fakelocale::Current().settings = UserSettings(decimal);
    locale = std::make_unique<QOR::LocaleInfo>(fakelocale::System());
  }
  // Adds the wrapper to the page's list and answers it.
  template <typename T>
  T* Add(T* ctrl) {
    page->List.AddCtrl(ctrl);
    return ctrl;
  }
  void Open() {
    page->Create();
    PumpMessages();
  }
  HWND Item(int id) const { return GetDlgItem(page->GetHandle(), id); }
  void Type(int id, const wchar_t* text) { SetWindowTextW(Item(id), text); }
  // The window's own visible style (the test page itself is never shown).
  static bool Visible(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }
  std::wstring Shown(int id) const {
    wchar_t text[100] = {};
    GetWindowTextW(Item(id), text, 100);
    return text;
  }
};
