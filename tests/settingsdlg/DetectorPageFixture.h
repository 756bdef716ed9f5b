// What the detector page tests share: a preview that counts what its page asks, and the
// settings dialog run over a two-channel recording with a script acting as the user.
#pragma once

#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "hostapi/PXDetectionSettings.h"
#include "settingsdlg/DetectionPreview.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/SettingsWarningDlg.h"
#include "tests/document/ZRDocFixture.h"
#include "tests/support/ScriptedModalSeam.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace dettest {

using ZR::Dlg::SettingsDlg;

// Counts what the page asks of its preview.
struct PreviewLog {
  int updates = 0;
  std::vector<bool> sources;
  bool sampling = false;
  int stops = 0;
  std::vector<int32_t> rangeChannels;  // the channels whose value range the axis was given
};

class CountingPreview : public ZR::Dlg::DetectionPreview {
 public:
  explicit CountingPreview(PreviewLog& log) : mLog(log) {}
  void Update(ZR::Doc::SettingsStore&) override { ++mLog.updates; }
  void SetSamplingSource(bool whole) override { mLog.sources.push_back(whole); }
  void PlaceForPosition(uint32_t) override {}
  void SetViewPosition(int64_t, double) override {}
  void ShowChannelRange(int32_t channel, uint32_t) override { mLog.rangeChannels.push_back(channel); }
  bool IsSampling() override { return mLog.sampling; }
  void StopSampling() override {
    ++mLog.stops;
    mLog.sampling = false;
  }
  void StartSampling() override { mLog.sampling = true; }
  void FillSetupWords(uint32_t words[12]) override { std::fill(words, words + 12, 0u); }

 private:
  PreviewLog& mLog;
};

// Two 1 kHz channels of the cardiac signal, "Vm" in mV and "Im" in pA.
inline host::Recording TwoChannels() {
  host::Recording recording;
  const std::vector<float> signal = testsupport::CardiacSignal(2000, 1000.0);
  recording.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
  recording.channels.push_back(host::ChannelInfo{L"Im", L"pA", L""});
  host::RecordData record = host::MakeEmptyRecord(2, 0.001, true);
  for (int c = 0; c < 2; ++c) record.samples[static_cast<size_t>(c)]->Append(signal.data(), 2000);
  record.length = 2000;
  recording.records.push_back(std::move(record));
  return recording;
}

class DetectorPagesTest : public doctest::ZRDocTest {
 protected:
  void SetUp() override {
    doctest::ZRDocTest::SetUp();
    mPrevious = ZR::Dlg::SetDetectionPreviewMaker([this](auto, IUnknown*, OWL::TWindow*, ZR::Doc::SettingsStore*) {
      return std::make_unique<CountingPreview>(mLog);
    });
  }
  void TearDown() override {
    ZR::Dlg::SetDetectionPreviewMaker(mPrevious);
    doctest::ZRDocTest::TearDown();
  }
  // The dialog over a two-channel recording with the type and the settings given as texts.
  // Setting 1000 is written directly: the store refuses the methods the pages turn into 2.
  void Run(int type, std::vector<std::pair<int32_t, const wchar_t*>> settings,
           const std::function<void(SettingsDlg&)>& script, int method = 2,
           const std::function<void(IPXDetectionSettings&)>& prepare = {}) {
    OpenOver(mRecording());
    Set(2000, std::to_wstring(type).c_str());
    for (const auto& [id, text] : settings) Set(id, text);
    mDoc->GetSettings().GetIntSetting(ZR::Doc::kSettingStimulusMethod)->Set(method);
    if (prepare) prepare(*mDoc->GetSettings().GetDetectionSettingsObject());
    mWarnings = 0;
    mSeam.DialogScript = [&](OWL::TDialog& dialog) {
      if (dynamic_cast<ZR::SettingsWarningDlg*>(&dialog)) {
        ++mWarnings;
        return;
      }
      script(static_cast<SettingsDlg&>(dialog));
      ++mScripts;
    };
    SettingsDlg dialog(nullptr, static_cast<IHostDocument*>(mHost.Get()), 0, ZR::Dlg::PreviewSetup{});
    mScripts = 0;
    dialog.Execute();
    EXPECT_EQ(mScripts, 1) << "the script ran to its end once";
  }
  static void Notify(OWL::TWindow& page, int id, UINT code) {
    page.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(page.GetDlgItem(id)));
  }
  static void Type(OWL::TWindow& page, int id, const wchar_t* text) {
    SetWindowTextW(page.GetDlgItem(id), text);  // its EN_CHANGE comes as a notification of its own
    Notify(page, id, EN_CHANGE);
  }
  static void Spin(OWL::TWindow& page, int spinId, int delta) {
    NMUPDOWN change{};
    change.hdr = {page.GetDlgItem(spinId), static_cast<UINT_PTR>(spinId), static_cast<UINT>(UDN_DELTAPOS)};
    change.iDelta = delta;
    page.SendMessage(WM_NOTIFY, spinId, reinterpret_cast<LPARAM>(&change));
  }
  static void Choose(OWL::TWindow& page, int id, int position) {
    SendMessageW(page.GetDlgItem(id), CB_SETCURSEL, position, 0);
    Notify(page, id, CBN_SELCHANGE);
  }
  static std::wstring ItemText(OWL::TWindow& window, int id) {
    wchar_t text[100] = {};
    GetWindowTextW(window.GetDlgItem(id), text, 100);
    return text;
  }
  static bool Shown(OWL::TWindow& window, int id) { return (GetWindowLongW(window.GetDlgItem(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  int IntIn(SettingsDlg& dialog, ZR::Doc::SettingId id) { return dialog.Store().GetIntSetting(id)->Get(); }

  ScriptedModalSeam mSeam;
  int mWarnings = 0;
  int mScripts = 0;
  std::function<host::Recording()> mRecording = TwoChannels;
  PreviewLog mLog;
  ZR::Dlg::DetectionPreviewMaker mPrevious;
};

}  // namespace dettest
