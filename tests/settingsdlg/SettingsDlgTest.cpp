// The settings dialog over an analysis document of four stand-in channels, the fourth carrying
// the module's channel calculation; the dialog runs through the scripted modal seam.
#include "settingsdlg/SettingsDlg.h"

#include "host/app/WindowPicture.h"
#include "host/formula/ChannelCalcEngine.h"

#include "chancalc/CalcClass.h"
#include "controls/ErrorProvider.h"
#include "controls/TBalloonCheckBox.h"
#include "document/AnalysisType.h"
#include "document/ParamCatalogue.h"
#include "document/ZRSettingIO.h"
#include "platform/uihelpers/ScreenDpi.h"
#include "settingsdlg/SettingsPageIds.h"
#include "settingsdlg/SettingsDlgIds.h"
#include "settingsdlg/SettingsWarningDlg.h"
#include "settingsdlg/Sub_DetectorCAP.h"
#include "settingsdlg/Sub_TableOptions.h"
#include "tests/document/ZRDocFixture.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/PumpUntil.h"
#include "tests/support/ScriptedModalSeam.h"
#include "tests/support/UserMouse.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

using host::HostPtr;
using ZR::Dlg::SettingsDlg;
using ZR::Doc::ZRDoc;

TEST(SettingsPages, EachTypeAndTabHasItsPageClass) {
  struct Case {
    int type;
    int tab;
    const wchar_t* page;
  };
  const Case cases[] = {{0, 0, L"Sub_DetectorUnStim"}, {1, 0, L"Sub_DetectorCAP"}, {2, 0, L"Sub_DetectorUnStim"},
                        {3, 0, L"Sub_DetectorER"},     {4, 0, L"Sub_DetectorPS"},  {5, 0, L"Sub_DetectorCAP"},
                        {2, 1, L"Sub_Baseline"},       {0, 2, L"Sub_CalcGen"},     {1, 2, L"Sub_CalcCAP"},
                        {2, 2, L"Sub_CalcSynap"},      {3, 2, L"Sub_CalcER"},      {4, 2, L"Sub_CalcPS"},
                        {5, 2, L"Sub_CalcNAP"},        {4, 3, L"Sub_TableOptions"}};
  for (const Case& c : cases) EXPECT_STREQ(SettingsDlg::PageClassName(c.type, c.tab), c.page) << c.type << c.tab;
  EXPECT_EQ(SettingsDlg::PageClassName(6, 0), nullptr);
  EXPECT_EQ(SettingsDlg::PageClassName(0, 4), nullptr);
  EXPECT_EQ(SettingsDlg::PageClassName(-1, 0), nullptr);
}

TEST(TableOptionsLayout, ColumnsOfRowsFitTheBoundary) {
  const ZR::Dlg::TableOptionsGrid twelve = ZR::Dlg::LayOutTableOptions(12, 600, 220);
  EXPECT_EQ(twelve.columns, 3);
  EXPECT_EQ(twelve.rows, 4);
  EXPECT_EQ(twelve.top, (228 - 96) / 3);
  EXPECT_EQ(twelve.left, (620 - 420) / 2 + 10);
  const ZR::Dlg::TableOptionsGrid forty = ZR::Dlg::LayOutTableOptions(40, 600, 220);
  EXPECT_EQ(forty.columns, 5);
  EXPECT_EQ(forty.rows, 8);
  const ZR::Dlg::TableOptionsGrid low = ZR::Dlg::LayOutTableOptions(12, 600, 10);  // no row fits
  EXPECT_EQ(low.columns, 12);
  EXPECT_EQ(low.rows, 1);
  const ZR::Dlg::TableOptionsGrid doubled = ZR::Dlg::LayOutTableOptions(12, 1200, 440, 192);  // at 192 dpi
  EXPECT_EQ(doubled.columns, 3);
  EXPECT_EQ(doubled.rows, 4);
  EXPECT_EQ(doubled.top, 2 * twelve.top);
  EXPECT_EQ(doubled.left, 2 * twelve.left);
}

// A page the test declares valid or not.
class ValidityPage : public ZR::Dlg::Base::ZRSubDlg {
 public:
  ValidityPage(SettingsDlg* owner, IUnknown* host, bool& valid) : ZRSubDlg(IDD_CALC_PS, owner, host), mValid(valid) {}
  bool IsValid() override { return mValid; }
  void Store() override {}
  void Load() override {}
  void SchedulePreview(bool) override {}

 private:
  bool& mValid;
};

class TestSettingsDlg : public SettingsDlg {
 public:
  using SettingsDlg::SettingsDlg;
  bool* Validity = nullptr;
  int MadeType = -1;  // the type and tab of the last page made
  int MadeTab = -1;

 protected:
  ZR::Dlg::Base::ZRSubDlg* MakePage(int type, int tab) override {
    MadeType = type;
    MadeTab = tab;
    if (!Validity || tab == 3) return SettingsDlg::MakePage(type, tab);
    return new ValidityPage(this, HostDocument(), *Validity);
  }
};

// Four 1 kHz channels of the cardiac signal; the fourth carries the module's calculation.
host::Recording FourChannels() {
  host::Recording recording;
  const std::vector<float> signal = testsupport::CardiacSignal(2000, 1000.0);
  for (const wchar_t* name : {L"Vm", L"Im", L"ECG", L"Calc"}) recording.channels.push_back(host::ChannelInfo{name, L"mV", L""});
  host::RecordData record = host::MakeEmptyRecord(4, 0.001, true);
  for (int c = 0; c < 4; ++c) record.samples[static_cast<size_t>(c)]->Append(signal.data(), 2000);
  record.length = 2000;
  recording.records.push_back(std::move(record));
  return recording;
}

class SettingsDialogTest : public doctest::ZRDocTest {
 protected:
  static void SetUpTestSuite() {
    doctest::ZRDocTest::SetUpTestSuite();
    static const HRESULT engine = host::RegisterChannelCalcEngineClass(ObjectFactoryAccessor::Get(), GetTypeRegistry());
    ASSERT_EQ(S_OK, engine);
  }
  ZRDoc& OpenFour() {
    mData = host::DataDocument::Create(FourChannels());
    mHost = host::HostDocument::Create(mData);
    EXPECT_EQ(S_OK, host::OpenCustomDocument(*mHost.Get(), L"Ondara Document", 0, mDocument));
    mDoc.Attach(ZRDoc::FromHostDocument(static_cast<IHostDocument*>(mHost.Get())));
    Set(2000, L"1");
    ComPtr<IHostChannelCalc> made;
    EXPECT_EQ(S_OK, ZR::ChanCalc::CalculationClass().CreateCalculation(3, 0, static_cast<IHostDataDocument*>(mData.Get()),
                                                                        made.Out()));
    ComPtr<IChannelCalc> calc;
    made->QueryInterface(IID_IChannelCalc, calc.OutVoid());
    calc->ApplySettings(nullptr, 0);
    return *mDoc.Get();
  }
  // Runs the dialog with lock over the document; script acts on it, warnings are counted.
  INT_PTR Run(const std::function<void(TestSettingsDlg&)>& script, int32_t lock = 0) {
    mWarnings = 0;
    mSeam.DialogScript = [&](OWL::TDialog& dialog) {
      if (dynamic_cast<ZR::SettingsWarningDlg*>(&dialog)) {
        ++mWarnings;
        return;
      }
      script(static_cast<TestSettingsDlg&>(dialog));
    };
    mDialog = std::make_unique<TestSettingsDlg>(nullptr, static_cast<IHostDocument*>(mHost.Get()), lock,
                                                ZR::Dlg::PreviewSetup{});
    mDialog->Validity = mValidity;
    return mDialog->Execute();
  }
  static void Notify(OWL::TDialog& dialog, int id, UINT code) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(dialog.GetDlgItem(id)));
  }
  static void ChooseTab(OWL::TDialog& dialog, int tab) {
    TabCtrl_SetCurSel(dialog.GetDlgItem(IDC_SET_TABS), tab);
    NMHDR header{dialog.GetDlgItem(IDC_SET_TABS), IDC_SET_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    dialog.SendMessage(WM_NOTIFY, IDC_SET_TABS, reinterpret_cast<LPARAM>(&header));
  }
  static void Choose(OWL::TDialog& dialog, int id, int position) {
    SendMessageW(dialog.GetDlgItem(id), CB_SETCURSEL, position, 0);
    Notify(dialog, id, CBN_SELCHANGE);
  }
  static std::wstring TabText(OWL::TDialog& dialog, int tab) {
    wchar_t text[40] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 40;
    SendMessageW(dialog.GetDlgItem(IDC_SET_TABS), TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  static int Selected(OWL::TDialog& dialog, int id) {
    return static_cast<int>(SendMessageW(dialog.GetDlgItem(id), CB_GETCURSEL, 0, 0));
  }
  // Shown by its own style: the dialog itself is not on screen under the seam.
  static bool Shown(const OWL::TWindow& window) { return (window.GetStyle() & WS_VISIBLE) != 0; }
  int IntIn(SettingsDlg& dialog, ZR::Doc::SettingId id) { return dialog.Store().GetIntSetting(id)->Get(); }

  ScriptedModalSeam mSeam;
  std::unique_ptr<TestSettingsDlg> mDialog;
  bool* mValidity = nullptr;
  int mWarnings = 0;
};

TEST_F(SettingsDialogTest, StoredTypeAndTabChooseTheListTheLabelAndThePage) {
  OpenFour();
  mDoc->GetSettings().GetIntSetting(ZR::Doc::kSettingAnalysisType)->Set(9);
  mDoc->GetSettings().GetIntSetting(ZR::Doc::kSettingSettingsTab)->Set(7);
  Run([&](TestSettingsDlg& dialog) {
    EXPECT_EQ(Selected(dialog, IDC_SET_TYPE), 0);
    EXPECT_EQ(IntIn(dialog, ZR::Doc::kSettingAnalysisType), 0);
    EXPECT_EQ(TabCtrl_GetCurSel(dialog.GetDlgItem(IDC_SET_TABS)), 0);  // the stored tab was outside 0-3
    EXPECT_EQ(IntIn(dialog, ZR::Doc::kSettingSettingsTab), 0);
    ASSERT_NE(dialog.CurrentPage(), nullptr);
    EXPECT_EQ(TabText(dialog, 1), L"Baseline");
  });
  mDoc->GetSettings().GetIntSetting(ZR::Doc::kSettingAnalysisType)->Set(5);
  Run([&](TestSettingsDlg& dialog) {
    wchar_t text[60] = {};
    SendMessageW(dialog.GetDlgItem(IDC_SET_TYPE), CB_GETLBTEXT, Selected(dialog, IDC_SET_TYPE), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Action Potential");
    EXPECT_EQ(TabText(dialog, 1), L"RMP");
    EXPECT_NE(dynamic_cast<ZR::Dlg::Sub_DetectorCAP*>(dialog.CurrentPage()), nullptr);
    ChooseTab(dialog, 3);
    EXPECT_NE(dynamic_cast<ZR::Dlg::Sub_TableOptions*>(dialog.CurrentPage()), nullptr);
    EXPECT_EQ(IntIn(dialog, ZR::Doc::kSettingSettingsTab), 3);
  });
}

TEST_F(SettingsDialogTest, TheLockDisablesTheSetupGroupOnly) {
  OpenFour();
  Run([&](TestSettingsDlg& dialog) {
    for (int id : {IDC_SET_TYPE, IDC_SET_TYPE_LABEL, IDC_SET_SOURCE, IDC_SET_SOURCE_LABEL, IDC_SET_SELECTION,
                   IDC_SET_CHANNEL, IDC_SET_GROUP})
      EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(id))) << id;
    for (int id : {IDOK, IDCANCEL, 9, IDC_SET_TABS}) EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(id))) << id;
  }, 1);
}

TEST_F(SettingsDialogTest, RegionModesWriteTheCopyOnly) {
  OpenFour();
  mDoc->GetSettings().SetLongValue(ZR::Doc::kSettingRegionStartRecord, 5);
  mDoc->Selection()->SetRange(HostPosition{0, 100}, HostPosition{0, 900});
  Run([&](TestSettingsDlg& dialog) {
    CheckRadioButton(dialog.GetHandle(), IDC_SET_SELECTION, IDC_SET_CHANNEL, IDC_SET_CHANNEL);
    Notify(dialog, IDC_SET_CHANNEL, BN_CLICKED);
    for (const ZR::Doc::SettingId id : ZR::Doc::kSettingsRegion)
      EXPECT_EQ(dialog.Store().GetLongValue(id), -1) << ZR::Doc::NumberOf(id);
    CheckRadioButton(dialog.GetHandle(), IDC_SET_SELECTION, IDC_SET_CHANNEL, IDC_SET_SELECTION);
    Notify(dialog, IDC_SET_SELECTION, BN_CLICKED);
    EXPECT_EQ(dialog.Store().GetLongValue(ZR::Doc::kSettingRegionStartTick), 100);
    EXPECT_EQ(dialog.Store().GetLongValue(ZR::Doc::kSettingRegionEndTick), 900);
  });
  EXPECT_EQ(Value(ZR::Doc::kSettingRegionStartRecord), 5);  // cancelled
}

TEST_F(SettingsDialogTest, TheCalculatedChannelIsRefusedAndANewChannelCopiesThePreviousGroup) {
  OpenFour();
  Set(1001, L"33");
  const INT_PTR result = Run([&](TestSettingsDlg& dialog) {
    EXPECT_FALSE(Shown(dialog.SourceError()));
    Choose(dialog, IDC_SET_SOURCE, 3);
    EXPECT_TRUE(Shown(dialog.SourceError()));
    EXPECT_EQ(std::wstring(dialog.SourceError().GetTitle().GetText()), L"Invalid Source Channel");
    dialog.SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(mWarnings, 1);
    EXPECT_TRUE(dialog.GetHandle());  // still open
    Choose(dialog, IDC_SET_SOURCE, 2);
    EXPECT_FALSE(Shown(dialog.SourceError()));
    EXPECT_EQ(dialog.Store().GetLongValue(ZR::Doc::kSettingAnalysisChannel), 2);
    EXPECT_EQ(dialog.Store().FindSetting(ZR::Doc::kSettingMinPeakWidthCAP)->ToText(true), QOR::String(L"33"));
    dialog.SendMessage(WM_COMMAND, IDOK);
  });
  EXPECT_EQ(result, IDOK);
}

TEST_F(SettingsDialogTest, AnInvalidPageBlocksTabTypeAndSourceChanges) {
  OpenFour();
  bool valid = false;
  mValidity = &valid;
  Run([&](TestSettingsDlg& dialog) {
    ChooseTab(dialog, 2);
    EXPECT_EQ(TabCtrl_GetCurSel(dialog.GetDlgItem(IDC_SET_TABS)), 0);
    Choose(dialog, IDC_SET_TYPE, 1);
    EXPECT_EQ(Selected(dialog, IDC_SET_TYPE), 3);  // back to Cardiac Action Potential
    Choose(dialog, IDC_SET_SOURCE, 1);
    EXPECT_EQ(Selected(dialog, IDC_SET_SOURCE), 0);
    EXPECT_EQ(dialog.Store().GetLongValue(ZR::Doc::kSettingAnalysisChannel), 0);
    dialog.SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(mWarnings, 4);
    valid = true;
    ChooseTab(dialog, 2);
    EXPECT_EQ(IntIn(dialog, ZR::Doc::kSettingSettingsTab), 2);
  });
}

TEST_F(SettingsDialogTest, TableOptionsStoreExactlyTheCheckedStatesWhereEachSwitchLives) {
  ZRDoc& document = OpenFour();
  document.GetSettings().GetIntSetting(ZR::Doc::kSettingSettingsTab)->Set(3);
  const ZR::Doc::ParamCatalogue& catalogue = *document.GetSettings().GetCatalogue();
  Run([&](TestSettingsDlg& dialog) {
    auto* const page = dynamic_cast<ZR::Dlg::Sub_TableOptions*>(dialog.CurrentPage());
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->Count(), catalogue.Count(1));
    // Each box at its place in the grid measured from the boundary, 140 by 24 pixels apart at
    // 96 dpi and as much more as the screen's resolution.
    const ZR::Dlg::TableOptionsGrid& grid = page->Grid();
    RECT first{};
    RECT later{};
    GetWindowRect(page->Box(0).GetHandle(), &first);
    GetWindowRect(page->Box(grid.rows + 1).GetHandle(), &later);
    EXPECT_EQ(later.left - first.left, QOR::ScaleForDpi(140, QOR::ScreenDpi()));
    EXPECT_EQ(later.top - first.top, QOR::ScaleForDpi(24, QOR::ScreenDpi()));
    Notify(*page, IDC_TO_CHECK_ALL, BN_CLICKED);
    for (int k = 0; k < page->Count(); ++k) EXPECT_EQ(page->Box(k).GetCheck(), UINT{BST_CHECKED}) << k;
    page->Box(0).Uncheck();
    page->Store();
    EXPECT_FALSE(dialog.Store().GetBoolSetting(ZR::Doc::ColumnSwitchId(catalogue.GetId(1, 0)))->Get());
    EXPECT_TRUE(dialog.Store().GetBoolSetting(ZR::Doc::ColumnSwitchId(catalogue.GetId(1, 1)))->Get());
    Choose(dialog, IDC_SET_SOURCE, 1);  // a new channel's group copies the old one
    page->Box(1).Uncheck();
    page->Store();
    EXPECT_FALSE(dialog.Store().GetBoolSetting(ZR::Doc::ColumnSwitchId(catalogue.GetId(1, 1)))->Get());
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
  });
  // Check All, then Cancel: the document's switches are as they were.
  const auto* column = document.GetSettings().GetBoolSetting(ZR::Doc::ColumnSwitchId(catalogue.GetId(1, 0)));
  const bool before = column && column->Get();
  Run([&](TestSettingsDlg& dialog) {
    Notify(*dialog.CurrentPage(), IDC_TO_CHECK_ALL, BN_CLICKED);
    Notify(*dialog.CurrentPage(), IDC_TO_UNCHECK_ALL, BN_CLICKED);
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
  });
  column = document.GetSettings().GetBoolSetting(ZR::Doc::ColumnSwitchId(catalogue.GetId(1, 0)));
  EXPECT_EQ(column && column->Get(), before);
}

TEST_F(SettingsDialogTest, WithoutASourceSelectionTheCheckAllowsAndAsksNothing) {
  OpenFour();
  Run([&](TestSettingsDlg& dialog) {
    SendMessageW(dialog.GetDlgItem(IDC_SET_SOURCE), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_TRUE(dialog.CheckSourceChannel());
    EXPECT_FALSE(Shown(dialog.SourceError()));
  });
}

// Pixels of the tab row right of the last tab that are not the face colour: a piece of an older,
// wider strip left on the screen. Only the part on the screen is read, from what the window shows.
int LeftoverStripPixels(HWND tabs) {
  RECT last{};
  TabCtrl_GetItemRect(tabs, TabCtrl_GetItemCount(tabs) - 1, &last);
  RECT client{};
  GetClientRect(tabs, &client);
  RECT strip{last.right + 3, 0, client.right, last.bottom - 1};  // the selected tab stands 2 wider
  POINT origin{0, 0};
  ClientToScreen(tabs, &origin);
  const RECT screen{-origin.x, -origin.y, GetSystemMetrics(SM_CXSCREEN) - origin.x,
                    GetSystemMetrics(SM_CYSCREEN) - origin.y};
  IntersectRect(&strip, &strip, &screen);
  const int width = strip.right - strip.left;
  const int height = strip.bottom - strip.top;
  if (width <= 0 || height <= 0) return 0;
  DibCanvas canvas(width, height, GetSysColorBrush(COLOR_BTNFACE));
  HDC const shown = GetDC(tabs);
  BitBlt(canvas.Dc(), 0, 0, width, height, shown, strip.left, strip.top, SRCCOPY);
  ReleaseDC(tabs, shown);
  int leftover = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) leftover += canvas.At(x, y) != DibCanvas::SysPixel(COLOR_BTNFACE);
  return leftover;
}

// A user at the dialog, playing steps of one character each: a digit clicks that tab where it is
// drawn; '<' and '>' press the Left and Right keys (the tabs have the focus after a click); a
// capital letter chooses the analysis type that starts with it, by the type list's mnemonic
// (Alt+A) and the letter. Keys go through the system's input and the dialog's key handling.
class TabsUser {
 public:
  explicit TabsUser(TestSettingsDlg& dialog)
      : mDialog(dialog), mTabs(dialog.GetDlgItem(IDC_SET_TABS)),
        mTab(TabCtrl_GetCurSel(mTabs)), mType(dialog.Store().GetIntSetting(ZR::Doc::kSettingAnalysisType)->Get()) {}

  // Plays the steps, checking after each; false after the first step that went wrong.
  bool Play(const std::string& steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
      Step(steps[i]);
      if (!Check(steps.substr(0, i + 1))) return false;
    }
    return true;
  }

 private:
  void Step(char step) {
    if (step >= '0' && step <= '3') {
      RECT tab{};
      TabCtrl_GetItemRect(mTabs, step - '0', &tab);
      EXPECT_EQ(mTabs, user_mouse::Click(user_mouse::ScreenPoint(mTabs, (tab.left + tab.right) / 2,
                                                                  (tab.top + tab.bottom) / 2)));
      mTab = step - '0';
    } else if (step == '<' || step == '>') {
      EXPECT_EQ(GetFocus(), mTabs) << "an arrow step follows a click on a tab";
      Press(step == '<' ? VK_LEFT : VK_RIGHT);
      mTab = std::clamp(mTab + (step == '<' ? -1 : 1), 0, SettingsDlg::kTabCount - 1);
    } else {
      Press('A', VK_MENU);
      EXPECT_EQ(GetFocus(), mDialog.GetDlgItem(IDC_SET_TYPE));
      Press(static_cast<WORD>(step));
      for (int position = 0; position < 6; ++position) {
        const int type = ZR::Doc::AnalysisTypeFromListPos(position);
        if (ZR::Doc::AnalysisTypeName(type).GetText()[0] == step) mType = type;
      }
    }
  }
  void Pump() {
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
      if (!IsDialogMessageW(mDialog.GetHandle(), &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
  }
  // key pressed and released, with modifier held around it when given.
  void Press(WORD key, WORD modifier = 0) {
    std::vector<INPUT> keys;
    const auto add = [&](WORD vk, DWORD flags) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = vk;
      input.ki.dwFlags = flags;
      keys.push_back(input);
    };
    if (modifier) add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier) add(modifier, KEYEVENTF_KEYUP);
    const SHORT toggled = GetKeyState(key) & 1;
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    const WORD last = modifier ? modifier : key;
    EXPECT_TRUE(testsupport::PumpUntil([&] { Pump(); }, [&] { return testsupport::KeysArrived(key, toggled, last); }));
    Pump();
  }
  bool Check(const std::string& played) {
    SCOPED_TRACE("after the steps \"" + played + "\"");
    const int selected = TabCtrl_GetCurSel(mTabs);
    const bool made = mDialog.MadeType == mType && mDialog.MadeTab == mTab;
    RECT area{};
    GetWindowRect(mTabs, &area);
    TabCtrl_AdjustRect(mTabs, FALSE, &area);
    HWND const under = WindowFromPoint(POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2});
    HWND const page = mDialog.CurrentPage() ? mDialog.CurrentPage()->GetHandle() : nullptr;
    const bool shown = page && (under == page || IsChild(page, under));
    const int leftover = LeftoverStripPixels(mTabs);
    EXPECT_EQ(selected, mTab);
    EXPECT_TRUE(made) << "the page shown is of type " << mDialog.MadeType << " and tab " << mDialog.MadeTab;
    EXPECT_TRUE(shown) << "the page shows in the tabs' display area";
    EXPECT_EQ(leftover, 0);
    return selected == mTab && made && shown && leftover == 0;
  }

  TestSettingsDlg& mDialog;
  HWND mTabs;
  int mTab;
  int mType;
};

// Steps for TabsUser: tab clicks, arrows (only while the tabs have the focus) and type changes.
std::string RandomSteps(unsigned seed, int count) {
  std::mt19937 draw(seed);
  std::string steps;
  while (static_cast<int>(steps.size()) < count) {
    const unsigned kind = draw() % 10;
    const bool tabsFocused = !steps.empty() && !std::isupper(static_cast<unsigned char>(steps.back()));
    if (kind >= 8) steps += "GEPSAC"[draw() % 6];
    else if (kind >= 4 && tabsFocused) steps += draw() % 2 ? '>' : '<';
    else steps += static_cast<char>('0' + draw() % 4);
  }
  return steps;
}

// The tabs driven as a user drives them: a click shows its tab's page whatever keys and type
// changes came before, and no piece of a wider strip of earlier labels stays on the screen.
TEST_F(SettingsDialogTest, TabClicksShowTheirPagesAfterAnyKeysAndTypeChanges) {
  OpenFour();
  mDoc->GetSettings().GetIntSetting(ZR::Doc::kSettingAnalysisType)->Set(0);
  struct Sequence {
    int openTab;  // the stored tab the dialog opens on
    std::string steps;
  };
  const Sequence sequences[] = {
      {3, "E0>>>G0213"}, {0, "A0>><3C1>S2>>0<<2A3"}, {1, RandomSteps(7, 24)}, {2, RandomSteps(2024, 24)}};
  for (const Sequence& sequence : sequences) {
    mDoc->GetSettings().GetIntSetting(ZR::Doc::kSettingSettingsTab)->Set(sequence.openTab);
    Run([&](TestSettingsDlg& dialog) {
      SetWindowPos(dialog.GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
      SetForegroundWindow(dialog.GetHandle());
      PumpMessages();
      EXPECT_TRUE(TabsUser(dialog).Play(sequence.steps)) << sequence.steps;
      const char* const folder = std::getenv("ONDARA_PICTURE_DIR");  // a picture to look at
      if (folder && *folder && &sequence == &sequences[1]) {
        const std::wstring path = std::wstring(folder, folder + std::strlen(folder)) + L"\\settings-tabs-" +
                                  std::to_wstring(QOR::ScreenDpi()) + L"dpi.png";
        EXPECT_EQ(S_OK, ondara_host::SaveWindowPicture(dialog.GetHandle(), path));
      }
      dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(mWarnings, 0);
  }
}

}  // namespace
