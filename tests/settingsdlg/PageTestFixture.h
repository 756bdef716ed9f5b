// The settings dialog over an analysis document of two channels ("Vm" in mV, "Im" in nA), opened
// on a chosen analysis type and tab through the scripted modal seam, for the tests of its pages.
#pragma once

#include "controls/ErrorProvider.h"
#include "controls/StaticTextErrorProvider.h"
#include "document/ZRSetting.h"
#include "document/ZRSettingIO.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/tCtrl.h"
#include "settingsdlg/tCtrlList.h"
#include "tests/document/ZRDocFixture.h"
#include "tests/support/ScriptedModalSeam.h"

#include <functional>
#include <memory>
#include <string>

namespace pagetest {

using ZR::Dlg::SettingsDlg;

inline host::Recording TwoChannels() {
  host::Recording recording;
  const std::vector<float> signal = testsupport::CardiacSignal(2000, 1000.0);
  recording.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
  recording.channels.push_back(host::ChannelInfo{L"Im", L"nA", L""});
  host::RecordData record = host::MakeEmptyRecord(2, 0.001, true);
  for (int c = 0; c < 2; ++c) record.samples[static_cast<size_t>(c)]->Append(signal.data(), 2000);
  record.length = 2000;
  recording.records.push_back(std::move(record));
  return recording;
}

class PageTest : public doctest::ZRDocTest {
 protected:
  void SetUp() override {
    doctest::ZRDocTest::SetUp();
    OpenOver(TwoChannels());
  }
  // Runs the dialog on the type's tab; script acts on it while it is open; warnings are counted.
  INT_PTR Run(int type, int tab, const std::function<void(SettingsDlg&)>& script) {
    mDoc->GetSettings().GetIntSetting(ZR::Doc::kSettingAnalysisType)->Set(type);
    mDoc->GetSettings().GetIntSetting(ZR::Doc::kSettingSettingsTab)->Set(tab);
    mWarnings = 0;
    mSeam.DialogScript = [&](OWL::TDialog& dialog) {
      if (auto* const settings = dynamic_cast<SettingsDlg*>(&dialog)) {
        mDialog = settings;
        ASSERT_NE(settings->CurrentPage(), nullptr) << "type " << type << " tab " << tab;
        script(*settings);
        return;
      }
      ++mWarnings;
    };
    SettingsDlg dialog(nullptr, static_cast<IHostDocument*>(mHost.Get()), 0, ZR::Dlg::PreviewSetup{});
    const INT_PTR result = dialog.Execute();
    mDialog = nullptr;
    return result;
  }
  HWND Page() const { return mDialog->CurrentPage()->GetHandle(); }
  HWND Item(int id) const { return GetDlgItem(Page(), id); }
  void Type(int id, const wchar_t* text) { SetWindowTextW(Item(id), text); }
  // Checks radio button id of the ids first to last and tells the page, as a click does.
  void Click(int id, int first, int last) {
    CheckRadioButton(Page(), first, last, id);
    SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
  }
  void ChooseSource(int position) {
    HWND const list = GetDlgItem(mDialog->GetHandle(), 1062);
    SendMessageW(list, CB_SETCURSEL, position, 0);
    SendMessageW(mDialog->GetHandle(), WM_COMMAND, MAKEWPARAM(1062, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
  std::wstring Shown(int id) const {
    wchar_t text[100] = {};
    GetWindowTextW(Item(id), text, 100);
    return text;
  }
  bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  ZR::Doc::SettingsStore& Copy() const { return mDialog->Store(); }
  ZR::Doc::ZRSetting& In(ZR::Doc::SettingId id) const { return *Copy().FindSetting(id); }
  std::wstring TextIn(ZR::Doc::SettingId id) const { return In(id).ToText(true).GetText(); }
  // The caption the wrapper's error display shows; empty when it shows none.
  static std::wstring ErrorTitle(const ZR::tCtrl& ctrl) {
    if (ctrl.ErrorIcon()) return ctrl.ErrorIcon()->GetTitle().GetText();
    if (ctrl.LabelError()) return ctrl.LabelError()->GetIcon().GetTitle().GetText();
    return L"";
  }
  static std::wstring ErrorText(const ZR::tCtrl& ctrl) {
    if (ctrl.ErrorIcon()) return ctrl.ErrorIcon()->GetText().GetText();
    if (ctrl.LabelError()) return ctrl.LabelError()->GetIcon().GetText().GetText();
    return L"";
  }

  ScriptedModalSeam mSeam;
  SettingsDlg* mDialog = nullptr;
  int mWarnings = 0;
};

}  // namespace pagetest
