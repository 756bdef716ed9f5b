// The unstimulated detector page in the settings dialog: its minimum peak height in both
// modes, when the page hears of a change, the host's presets and its Customize dialog.
#include "settingsdlg/Sub_DetectorUnStim.h"

#include "controls/StaticTextErrorProvider.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting_PXDetSet.h"
#include "host/cycles/CustomizeDialog.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/PresetCombo.h"
#include "settingsdlg/SubSub_MPH.h"
#include "settingsdlg/TJSlider.h"
#include "tests/settingsdlg/DetectorPageFixture.h"

namespace {

using dettest::DetectorPagesTest;
using ZR::Dlg::SettingsDlg;
using ZR::Dlg::SubSub_MPH;
using ZR::Dlg::Sub_DetectorUnStim;

class UnstimulatedPageTest : public DetectorPagesTest {
 protected:
  void TearDown() override {
    host::SetCustomizeScript({});
    DetectorPagesTest::TearDown();
  }
  // The page of the "General - Unstimulated" type; prepare changes the channel's detection
  // settings before the dialog opens.
  void RunPage(const std::function<void(IPXDetectionSettings&)>& prepare,
               const std::function<void(SettingsDlg&, Sub_DetectorUnStim&, SubSub_MPH&)>& script) {
    Run(0, {}, [&](SettingsDlg& dialog) {
      auto* page = dynamic_cast<Sub_DetectorUnStim*>(dialog.CurrentPage());
      ASSERT_NE(page, nullptr);
      ASSERT_NE(page->Height(), nullptr);
      script(dialog, *page, *page->Height());
    }, 2, prepare);
  }
  static void Track(SubSub_MPH& height, UINT code, int position) {
    height.SendMessage(WM_HSCROLL, MAKEWPARAM(code, position),
                       reinterpret_cast<LPARAM>(height.Slider().GetHandle()));
  }
  static std::wstring Error(SubSub_MPH& height) { return height.UnitLabel().GetIcon().GetText().GetText(); }
  double Height() {
    double value = 0.0;
    mDoc->GetSettings().GetDetectionSettingsObject()->GetParameter(kPXParamMinHeight, &value);
    return value;
  }
};

TEST_F(UnstimulatedPageTest, StandardDeviationsMoveTheSliderAndKeepTheirRange) {
  RunPage({}, [&](SettingsDlg&, Sub_DetectorUnStim&, SubSub_MPH& height) {
    EXPECT_TRUE(height.IsSdMode());
    EXPECT_EQ(ItemText(height, IDC_MPH_EDIT), L"3");
    EXPECT_EQ(ItemText(height, IDC_MPH_UNIT), L"S.D.");
    EXPECT_TRUE(Shown(height, IDC_MPH_SLIDER));
    for (const auto& [text, position] : {std::pair{L"1.23", 24}, std::pair{L"1.225", 24}, std::pair{L"0.01", 0},
                                         std::pair{L"12", 179}, std::pair{L"9", 179}}) {
      Type(height, IDC_MPH_EDIT, text);
      EXPECT_EQ(height.Slider().GetPosition(), position) << testing::PrintToString(std::wstring(text));
    }
    EXPECT_TRUE(height.IsValid());
    Type(height, IDC_MPH_EDIT, L"9.5");
    EXPECT_FALSE(height.IsValid());
    EXPECT_EQ(Error(height), L"This setting must be in the range 0.05 to 9 standard deviations.");
    Type(height, IDC_MPH_EDIT, L"");
    EXPECT_FALSE(height.IsValid());
    EXPECT_EQ(Error(height), L"A number is needed here.");
    Type(height, IDC_MPH_EDIT, L"2,5");
    EXPECT_EQ(Error(height), L"\"2,5\" is not a number: the decimal separator is the point (.).");
    Type(height, IDC_MPH_EDIT, L"1");
    std::vector<std::wstring> shown;
    for (int i = 0; i < 4; ++i) {
      Spin(height, IDC_MPH_SPIN, -1);
      shown.push_back(ItemText(height, IDC_MPH_EDIT));
    }
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"1.1", L"1.21", L"1.331", L"1.4641"}));
  });
}

TEST_F(UnstimulatedPageTest, AbsoluteHeightsHideTheSliderAndCheckTheirSign) {
  const auto absolute = [](double positiveOnly) {
    return [positiveOnly](IPXDetectionSettings& settings) {
      settings.SetParameter(6, 0.0);  // the height is absolute
      settings.SetParameter(kPXParamMinHeight, 0.002);
      settings.SetParameter(kPXParamPositiveOnly, positiveOnly);
    };
  };
  RunPage(absolute(0.0), [&](SettingsDlg&, Sub_DetectorUnStim&, SubSub_MPH& height) {
    EXPECT_FALSE(height.IsSdMode());
    EXPECT_FALSE(Shown(height, IDC_MPH_SLIDER));
    EXPECT_EQ(ItemText(height, IDC_MPH_UNIT), L"mV");
    EXPECT_EQ(ItemText(height, IDC_MPH_EDIT), L"2");  // 0.002 V in mV
    Type(height, IDC_MPH_EDIT, L"0");
    EXPECT_EQ(Error(height), L"This setting must be greater than 0 mV.");
    Type(height, IDC_MPH_EDIT, L"");
    EXPECT_FALSE(height.IsValid());
  });
  RunPage(absolute(1.0), [&](SettingsDlg&, Sub_DetectorUnStim&, SubSub_MPH& height) {
    Type(height, IDC_MPH_EDIT, L"-3");
    EXPECT_TRUE(height.IsValid());
    Type(height, IDC_MPH_EDIT, L"");
    EXPECT_TRUE(height.IsValid());
  });
}

// The owner hears of a drag at the release, of typing on the timer or when the edit is left.
TEST_F(UnstimulatedPageTest, ThePageHearsOfAChangeOnceItIsComplete) {
  RunPage({}, [&](SettingsDlg&, Sub_DetectorUnStim&, SubSub_MPH& height) {
    const int start = mLog.updates;
    Track(height, TB_THUMBTRACK, 23);
    Track(height, TB_THUMBTRACK, 24);
    EXPECT_EQ(ItemText(height, IDC_MPH_EDIT), L"1.25");
    EXPECT_EQ(mLog.updates, start);
    Track(height, TB_ENDTRACK, 0);
    EXPECT_EQ(mLog.updates, start + 1);
    EXPECT_EQ(Height(), 3.0);  // the document keeps its own until the dialog's OK

    Type(height, IDC_MPH_EDIT, L"2");
    Type(height, IDC_MPH_EDIT, L"2.5");
    EXPECT_EQ(mLog.updates, start + 1);
    height.SendMessage(WM_TIMER, SubSub_MPH::kTypingTimer);
    EXPECT_EQ(mLog.updates, start + 2);
    Notify(height, IDC_MPH_EDIT, EN_KILLFOCUS);
    EXPECT_EQ(mLog.updates, start + 3);
    Type(height, IDC_MPH_EDIT, L"12");  // invalid: the preview keeps the last valid detection
    height.SendMessage(WM_TIMER, SubSub_MPH::kTypingTimer);
    EXPECT_EQ(mLog.updates, start + 3);
  });
}

TEST_F(UnstimulatedPageTest, PresetsChosenAndDeletedThroughTheList) {
  RunPage({}, [&](SettingsDlg&, Sub_DetectorUnStim& page, SubSub_MPH& height) {
    EXPECT_STREQ(page.Presets().SelectedName().GetText(), L"Upward cycles");
    EXPECT_FALSE(IsWindowEnabled(page.GetDlgItem(IDC_UNSTIM_DELETE)));
    page.Presets().SetSelItemIndex(0);
    Notify(page, IDC_UNSTIM_PRESETS, CBN_SELCHANGE);
    EXPECT_EQ(ItemText(height, IDC_MPH_EDIT), L"4");
    EXPECT_TRUE(IsWindowEnabled(page.GetDlgItem(IDC_UNSTIM_DELETE)));
    Notify(page, IDC_UNSTIM_DELETE, BN_CLICKED);
    EXPECT_STREQ(page.Presets().SelectedName().GetText(), L"User - Custom");  // the settings outlived their preset
  });
}

// The list and its field are as tall as the page's own font makes a line, like the page's edits.
TEST_F(UnstimulatedPageTest, ThePresetListUsesThePagesFont) {
  RunPage({}, [&](SettingsDlg&, Sub_DetectorUnStim& page, SubSub_MPH&) {
    auto const pageFont = reinterpret_cast<HFONT>(page.SendMessage(WM_GETFONT));
    ASSERT_NE(pageFont, nullptr);
    HDC const dc = GetDC(nullptr);
    HGDIOBJ const old = SelectObject(dc, pageFont);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const LRESULT line = metrics.tmHeight + metrics.tmExternalLeading + 2;
    EXPECT_EQ(page.Presets().SendMessage(CB_GETITEMHEIGHT, 0), line);
    // The field as measured; the system may add two pixels of its own.
    EXPECT_LE(page.Presets().SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)), line + 2);
  });
}

TEST_F(UnstimulatedPageTest, CustomizeAcceptedRefreshesTheListTheHeightAndThePreview) {
  host::SetCustomizeScript([](HWND dialog) {
    SetDlgItemTextW(dialog, host::kCustomizeHeight, L"2.5");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  RunPage({}, [&](SettingsDlg&, Sub_DetectorUnStim& page, SubSub_MPH& height) {
    const int start = mLog.updates;
    Notify(page, IDC_UNSTIM_CUSTOMIZE, BN_CLICKED);
    EXPECT_EQ(ItemText(height, IDC_MPH_EDIT), L"2.5");
    EXPECT_STREQ(page.Presets().SelectedName().GetText(), L"User - Custom");
    EXPECT_EQ(mLog.updates, start + 1);
  });
  EXPECT_EQ(Height(), 3.0);  // the dialog was cancelled: the document's object is as it was
}

TEST_F(UnstimulatedPageTest, CustomizeOnAnInvalidPageWarnsAndLeavesSamplingStopped) {
  bool customized = false;
  host::SetCustomizeScript([&](HWND dialog) {
    customized = true;
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  RunPage({}, [&](SettingsDlg&, Sub_DetectorUnStim& page, SubSub_MPH& height) {
    mLog.sampling = true;
    Type(height, IDC_MPH_EDIT, L"12");
    Notify(page, IDC_UNSTIM_CUSTOMIZE, BN_CLICKED);
    EXPECT_EQ(mWarnings, 1);
    EXPECT_FALSE(customized);
    EXPECT_FALSE(mLog.sampling);
    EXPECT_EQ(mLog.stops, 1);
  });
}

// A channel recorded in other units in its second record has no one unit to show.
TEST_F(UnstimulatedPageTest, UnitsThatDifferByRecordReadUnits) {
  mRecording = [] {
    host::Recording recording = dettest::TwoChannels();
    recording.records.push_back(recording.records[0]);
    recording.records[1].units = {L"uV"};
    return recording;
  };
  RunPage([](IPXDetectionSettings& settings) { settings.SetParameter(6, 0.0); },
          [&](SettingsDlg&, Sub_DetectorUnStim& page, SubSub_MPH& height) {
            EXPECT_EQ(page.DetectionUnit().baseUnit, L"Units");
            EXPECT_EQ(ItemText(height, IDC_MPH_UNIT), L"Units");
          });
}

}  // namespace
