// The stimulated detector pages in the settings dialog: their bindings, the method list and its
// nested pages, and when the detection preview is rebuilt (counted at a preview the test puts
// in place of the real one).
#include "settingsdlg/Sub_DetectorCAP.h"
#include "settingsdlg/Sub_DetectorER.h"
#include "settingsdlg/Sub_DetectorPS.h"

#include "controls/StaticTextErrorProvider.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/SettingsDlgIds.h"
#include "settingsdlg/StimulusPages.h"
#include "settingsdlg/SettingsWarningDlg.h"
#include "settingsdlg/tCtrl.h"
#include "tests/settingsdlg/DetectorPageFixture.h"
#include "tests/settingsdlg/TextFit.h"
#include "tests/support/UserMouse.h"

#include <commctrl.h>

namespace {

using dettest::DetectorPagesTest;
using ZR::Dlg::SettingsDlg;

TEST_F(DetectorPagesTest, CardiacPageBindsTheWidthOfItsTypeAndTheRadiosOneFlag) {
  for (const auto& [type, widthId] : {std::pair{1, 1001}, std::pair{5, 1035}}) {
    Run(type, {{1001, L"3"}, {1035, L"4"}, {1036, L"t"}}, [&](SettingsDlg& dialog) {
      auto* page = dynamic_cast<ZR::Dlg::Sub_DetectorCAP*>(dialog.CurrentPage());
      ASSERT_NE(page, nullptr);
      EXPECT_EQ(ZR::Doc::NumberOf(page->Controls().FindCtrl(IDC_DET_WIDTH)->SettingId()), widthId);
      EXPECT_EQ(ItemText(*page, IDC_DET_WIDTH), type == 1 ? L"3" : L"4");
      EXPECT_EQ(SendMessageW(page->GetDlgItem(IDC_DET_HALF_HEIGHT), BM_GETCHECK, 0, 0), BST_CHECKED);
      SendMessageW(page->GetDlgItem(IDC_DET_HALF_HEIGHT), BM_SETCHECK, BST_UNCHECKED, 0);
      SendMessageW(page->GetDlgItem(IDC_DET_AT_MIN_HEIGHT), BM_SETCHECK, BST_CHECKED, 0);
      Notify(*page, IDC_DET_AT_MIN_HEIGHT, BN_CLICKED);
      EXPECT_FALSE(dialog.Store().GetBoolSetting(ZR::Doc::kSettingPeakWidthFilter)->Get());
    });
  }
}

// Typing waits for the timer, clicks and spin steps rebuild at once, an invalid page never does.
TEST_F(DetectorPagesTest, PreviewRebuildsOnceAfterTypingAndAtOnceAfterAClick) {
  Run(1, {}, [&](SettingsDlg& dialog) {
    auto& page = *dialog.CurrentPage();
    const int start = mLog.updates;
    for (const wchar_t* text : {L"1", L"12", L"123"}) Type(page, IDC_DET_HEIGHT, text);
    EXPECT_EQ(mLog.updates, start);
    page.SendMessage(WM_TIMER, ZR::Dlg::Sub_DetectorBase::kPreviewTimer);
    EXPECT_EQ(mLog.updates, start + 1);
    Spin(page, IDC_DET_HEIGHT_SPIN, -1);
    EXPECT_EQ(mLog.updates, start + 2);
    Notify(page, IDC_DET_HALF_HEIGHT, BN_CLICKED);
    EXPECT_EQ(mLog.updates, start + 3);

    Type(page, IDC_DET_WIDTH, L"-5");  // out of range
    page.SendMessage(WM_TIMER, ZR::Dlg::Sub_DetectorBase::kPreviewTimer);
    Spin(page, IDC_DET_HEIGHT_SPIN, -1);
    Notify(page, IDC_DET_HALF_HEIGHT, BN_CLICKED);
    EXPECT_EQ(mLog.updates, start + 3);
    Type(page, IDC_DET_WIDTH, L"5");
    Notify(page, IDC_DET_HALF_HEIGHT, BN_CLICKED);
    EXPECT_EQ(mLog.updates, start + 4);

    mLog.sources.clear();
    SendMessageW(dialog.GetDlgItem(IDC_SET_CHANNEL), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(dialog.GetDlgItem(IDC_SET_SELECTION), BM_SETCHECK, BST_UNCHECKED, 0);
    Notify(dialog, IDC_SET_CHANNEL, BN_CLICKED);
    SendMessageW(dialog.GetDlgItem(IDC_SET_CHANNEL), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(dialog.GetDlgItem(IDC_SET_SELECTION), BM_SETCHECK, BST_CHECKED, 0);
    Notify(dialog, IDC_SET_SELECTION, BN_CLICKED);
    EXPECT_EQ(mLog.sources, (std::vector<bool>{true, false}));

    mLog.sampling = true;
  });
  EXPECT_EQ(mLog.stops, 1);  // closing the page stops the preview's sampling
}

// The new channel's settings, its unit at every height and its value range on the preview's axis.
TEST_F(DetectorPagesTest, SourceChangeReloadsTheNewChannelAndRebuildsOnce) {
  Run(1, {{2001, L"1"}, {1001, L"7"}, {1006, L"3e-11"}, {2001, L"0"}, {1001, L"3"}, {1006, L"0.002"}},
      [&](SettingsDlg& dialog) {
    auto& page = *dialog.CurrentPage();
    EXPECT_EQ(ItemText(page, IDC_DET_WIDTH), L"3");
    EXPECT_EQ(ItemText(page, IDC_DET_HEIGHT), L"2");
    EXPECT_EQ(ItemText(page, IDC_DET_HEIGHT_UNIT), L"mV");
    const int start = mLog.updates;
    mLog.rangeChannels.clear();
    SendMessageW(dialog.GetDlgItem(IDC_SET_SOURCE), CB_SETCURSEL, 1, 0);
    Notify(dialog, IDC_SET_SOURCE, CBN_SELCHANGE);
    EXPECT_EQ(mLog.updates, start + 1);
    EXPECT_EQ(dialog.Store().GetLongValue(ZR::Doc::kSettingAnalysisChannel), 1);
    EXPECT_EQ(ItemText(page, IDC_DET_WIDTH), L"7");
    EXPECT_EQ(ItemText(page, IDC_DET_HEIGHT), L"30");
    EXPECT_EQ(ItemText(page, IDC_DET_HEIGHT_UNIT), L"pA");
    EXPECT_EQ(mLog.rangeChannels, std::vector<int32_t>{1});
  });
  // The stimulus page nested in the evoked-response page shows the new unit too.
  Run(3, {{2001, L"0"}}, [&](SettingsDlg& dialog) {
    auto* page = dynamic_cast<ZR::Dlg::Sub_DetectorER*>(dialog.CurrentPage());
    ASSERT_NE(page, nullptr);
    SendMessageW(dialog.GetDlgItem(IDC_SET_SOURCE), CB_SETCURSEL, 1, 0);
    Notify(dialog, IDC_SET_SOURCE, CBN_SELCHANGE);
    EXPECT_EQ(ItemText(*page, IDC_DET_HEIGHT_UNIT), L"pA");
    ASSERT_NE(nullptr, page->Method().Nested());
    EXPECT_EQ(ItemText(*page->Method().Nested(), IDC_STIM_MIN_HEIGHT_UNIT), L"pA");
  }, 4);
}

TEST_F(DetectorPagesTest, EvokedResponseMethodsChooseTheirNestedPage) {
  Run(3, {}, [&](SettingsDlg& dialog) {
    auto* page = dynamic_cast<ZR::Dlg::Sub_DetectorER*>(dialog.CurrentPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(IntIn(dialog, ZR::Doc::kSettingStimulusMethod), 2);
    EXPECT_EQ(ItemText(*page, IDC_DET_METHOD), L"Time from start of block");
    EXPECT_EQ(SendMessageW(page->GetDlgItem(IDC_DET_METHOD), CB_GETCOUNT, 0, 0), 3);
    EXPECT_NE(dynamic_cast<ZR::Dlg::SubSub_FixedPosition*>(page->Method().Nested()), nullptr);
    for (int id : {IDC_DET_RESPONSES, IDC_DET_FROM, IDC_DET_TO, IDC_DET_ER_MS_TO, IDC_DET_ER_AFTER})
      EXPECT_TRUE(Shown(*page, id)) << id;

    Choose(*page, IDC_DET_METHOD, 2);
    auto* nested = dynamic_cast<ZR::Dlg::SubSub_MinHeightMaxWidthSkipTime*>(page->Method().Nested());
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(IntIn(dialog, ZR::Doc::kSettingStimulusMethod), 4);
    EXPECT_EQ(ItemText(*nested, IDC_STIM_SKIP_LABEL), L"S&tart:");
    EXPECT_EQ(ItemText(*nested, IDC_STIM_SKIP_UNIT), L"ms into block");
    EXPECT_EQ(ZR::Doc::NumberOf(nested->Controls().FindCtrl(IDC_STIM_SKIP)->SettingId()), 1004);
    EXPECT_EQ(ZR::Doc::NumberOf(nested->Controls().FindCtrl(IDC_STIM_MIN_HEIGHT)->SettingId()), 1002);

    Choose(*page, IDC_DET_METHOD, 1);
    nested = dynamic_cast<ZR::Dlg::SubSub_MinHeightMaxWidthSkipTime*>(page->Method().Nested());
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(ItemText(*nested, IDC_STIM_SKIP_LABEL), L"Min &interval:");
    EXPECT_EQ(ItemText(*nested, IDC_STIM_SKIP_UNIT), L"ms");
    EXPECT_EQ(ZR::Doc::NumberOf(nested->Controls().FindCtrl(IDC_STIM_SKIP)->SettingId()), 1027);

    // No entry chosen: the stored method and its nested page stay.
    const int updates = mLog.updates;
    Choose(*page, IDC_DET_METHOD, -1);
    EXPECT_EQ(IntIn(dialog, ZR::Doc::kSettingStimulusMethod), 3);
    EXPECT_EQ(page->Method().Nested(), nested);
    EXPECT_TRUE(page->IsValid());
    EXPECT_EQ(mLog.updates, updates);

    SendMessageW(page->GetDlgItem(IDC_DET_RESPONSES), BM_SETCHECK, BST_UNCHECKED, 0);
    Notify(*page, IDC_DET_RESPONSES, BN_CLICKED);
    for (int id : {IDC_DET_FROM, IDC_DET_TO, IDC_DET_HEIGHT, IDC_DET_ER_MS_TO, IDC_DET_ER_AFTER, IDC_DET_MIN_HEIGHT_LABEL})
      EXPECT_FALSE(IsWindowEnabled(page->GetDlgItem(id))) << id;
    EXPECT_FALSE(dialog.Store().GetBoolSetting(ZR::Doc::kSettingPassPeakLimits)->Get());
  }, 1);
}

// The user walks both stimulated pages with the Tab key from the method list: the stimulus
// group on the left (the list, then its nested page's edits) comes before the response group on
// the right, each top to bottom.
TEST_F(DetectorPagesTest, TabVisitsTheStimulusGroupBeforeTheResponseGroup) {
  for (const int type : {3, 4}) {
    Run(type, {{1009, L"t"}}, [&](SettingsDlg& dialog) {
      dialog.ShowWindow(SW_SHOW);
      SetForegroundWindow(dialog.GetHandle());
      OWL::TWindow& page = *dialog.CurrentPage();
      const auto groupRect = [&](int id) {
        RECT r{};
        GetWindowRect(page.GetDlgItem(id), &r);
        return r;
      };
      const RECT stimulus = groupRect(IDC_DET_STIMULUS_GROUP), response = groupRect(IDC_DET_GROUP);
      SetFocus(page.GetDlgItem(IDC_DET_METHOD));
      std::vector<RECT> stops;  // the page's stops in the order Tab reaches them
      for (int press = 0; press < 16; ++press) {
        INPUT keys[2]{};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_TAB;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
        // The dialog's own loop: keys go through its dialog-message handling.
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
          if (!IsDialogMessageW(dialog.GetHandle(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
          }
        HWND const focus = GetFocus();
        if (focus == page.GetDlgItem(IDC_DET_METHOD) && !stops.empty()) break;  // round the dialog
        if (!IsChild(page.GetHandle(), focus)) continue;
        RECT r{};
        GetWindowRect(focus, &r);
        if (stops.empty() || r.left != stops.back().left || r.top != stops.back().top) stops.push_back(r);
      }
      const auto inside = [](const RECT& group, const RECT& r) { return PtInRect(&group, POINT{r.left, r.top}) != 0; };
      ASSERT_GE(stops.size(), 4u) << "type " << type;
      bool reachedResponses = false;
      for (size_t i = 0; i < stops.size(); ++i) {
        const bool left = inside(stimulus, stops[i]);
        EXPECT_TRUE(left || inside(response, stops[i])) << "type " << type << " stop " << i;
        if (left) {
          EXPECT_FALSE(reachedResponses) << "type " << type << ": stop " << i << " goes back to the stimulus";
        }
        reachedResponses = reachedResponses || !left;
        if (i > 0 && inside(stimulus, stops[i - 1]) == left) {
          EXPECT_GE(stops[i].top, stops[i - 1].top) << "type " << type << ": stop " << i << " goes up in its group";
        }
      }
      EXPECT_TRUE(reachedResponses) << "type " << type;
    }, 3);
  }
}

TEST_F(DetectorPagesTest, PopulationSpikeNestedHeightIsItsOwnSetting) {
  Run(4, {}, [&](SettingsDlg& dialog) {
    auto* page = dynamic_cast<ZR::Dlg::Sub_DetectorPS*>(dialog.CurrentPage());
    ASSERT_NE(page, nullptr);
    auto* nested = dynamic_cast<ZR::Dlg::SubSub_MinHeightMaxWidthSkipTime*>(page->Method().Nested());
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(ZR::Doc::NumberOf(nested->Controls().FindCtrl(IDC_STIM_MIN_HEIGHT)->SettingId()), 1028);
    EXPECT_TRUE(Shown(*page, IDC_DET_FROM));
    // A nested value out of range makes the page invalid and keeps the preview as it was.
    const int updates = mLog.updates;
    Type(*nested, IDC_STIM_MAX_WIDTH, L"-1");
    page->SendMessage(WM_TIMER, ZR::Dlg::Sub_DetectorBase::kPreviewTimer);
    EXPECT_FALSE(page->IsValid());
    EXPECT_EQ(mLog.updates, updates);
  }, 3);
}

// The lower arrow of a minimum height's spin control clicked where the user clicks it: the edit
// shows the whole value, written with as many digits as the edit takes, and the setting holds
// what the edit shows.
TEST_F(DetectorPagesTest, ASpunValueShowsWholeAndIsStoredAsShown) {
  struct Case {
    int type;
    const wchar_t* volts;
    int clicks;
    const wchar_t* shown;
    double stored;
  };
  const Case cases[] = {{1, L"0.0005", 3, L"0.3756", 0.3756e-3}, {3, L"0.03", 1, L"27.273", 27.273e-3}};
  for (const Case& c : cases) {
    Run(c.type, {{1006, c.volts}, {1009, L"t"}}, [&](SettingsDlg& dialog) {
      dialog.ShowWindow(SW_SHOWNOACTIVATE);
      PumpMessages();
      OWL::TWindow& page = *dialog.CurrentPage();
      HWND const spin = page.GetDlgItem(IDC_DET_HEIGHT_SPIN);
      RECT arrows{};
      GetClientRect(spin, &arrows);
      for (int k = 0; k < c.clicks; ++k)
        EXPECT_EQ(spin, user_mouse::Click(user_mouse::ScreenPoint(spin, arrows.right / 2, arrows.bottom * 3 / 4)));
      EXPECT_EQ(ItemText(page, IDC_DET_HEIGHT), c.shown) << "type " << c.type;
      EXPECT_NEAR(dialog.Store().GetDoubleSetting(ZR::Doc::kSettingMinPeakHeight)->Get(), c.stored, 1e-15)
          << "type " << c.type;
      EXPECT_EQ(L"", textfit::CutText(page.GetDlgItem(IDC_DET_HEIGHT))) << "type " << c.type;
      EXPECT_EQ(0, SendMessageW(page.GetDlgItem(IDC_DET_HEIGHT), EM_CHARFROMPOS, 0, MAKELPARAM(3, 3)) & 0xFFFF)
          << "the first character shows at the edit's left";
    });
  }
}

}  // namespace
