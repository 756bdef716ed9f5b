// Every dialog of the module measured as the user sees it: each static text, check box and radio
// button shown holds its whole text in its own font, at the screen's resolution (96 dpi in the
// usual run, 192 dpi in a run of its own).
#include "chancalc/RunSettingsDialog.h"
#include "grid/SigFigDialog.h"
#include "hostapi/ChannelCalc.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/SettingsWarningDlg.h"
#include "settingsdlg/ZRSubDlg.h"
#include "tests/settingsdlg/PageTestFixture.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using ZR::Dlg::SettingsDlg;

// The DrawText format a static of this style draws with; 0 for one that draws no text.
UINT StaticFormat(LONG style) {
  UINT format = 0;
  switch (style & SS_TYPEMASK) {
    case SS_LEFT: format = DT_LEFT | DT_WORDBREAK; break;
    case SS_CENTER: format = DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format = DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: format = DT_LEFT | DT_SINGLELINE; break;
    default: return 0;
  }
  return format | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
}

bool IsCheckOrRadio(LONG style) {
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return (style & BS_PUSHLIKE) == 0;
    default: return false;
  }
}

// Shown when it and every window between it and the dialog carry WS_VISIBLE (the dialog itself
// is not on screen under the modal seam).
bool ShownIn(HWND window, HWND root) {
  for (; window && window != root; window = GetParent(window))
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE)) return false;
  return true;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return name;
}

// "text" needs w x h, has w x h, when the control cuts its text; empty when it shows it whole.
std::wstring CutText(HWND control) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const std::wstring kind = ClassOf(control);
  const bool button = _wcsicmp(kind.c_str(), L"Button") == 0 && IsCheckOrRadio(style);
  UINT format = button ? ((style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE) : 0;
  if (_wcsicmp(kind.c_str(), L"Static") == 0) format = StaticFormat(style);
  wchar_t text[200] = {};
  if (!format || !GetWindowTextW(control, text, 200)) return L"";
  RECT client{};
  GetClientRect(control, &client);
  HDC const dc = GetDC(control);
  HGDIOBJ const old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  int box = 0;  // the check or radio box and the gap after it, as the button draws them
  if (button) {
    INT zero = 0;
    GetCharWidth32W(dc, L'0', L'0', &zero);
    box = MulDiv(12, GetDeviceCaps(dc, LOGPIXELSX), 96) + 1 + zero / 2;
  }
  RECT need{0, 0, client.right - box, 0};
  DrawTextW(dc, text, -1, &need, format | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  if (need.right <= client.right - box && need.bottom <= client.bottom) return L"";
  return L"\"" + std::wstring(text) + L"\" needs " + std::to_wstring(need.right + box) + L"x" +
         std::to_wstring(need.bottom) + L", has " + std::to_wstring(client.right) + L"x" + std::to_wstring(client.bottom);
}

class DialogLabelsTest : public pagetest::PageTest {
 protected:
  // Notes every cut text of the controls shown in the dialog root.
  void MeasureDialog(HWND root, const std::wstring& where) {
    mRoot = root;
    mWhere = &where;
    ++mMeasured;
    EnumChildWindows(root, &MeasureOne, reinterpret_cast<LPARAM>(this));
  }
  static BOOL CALLBACK MeasureOne(HWND control, LPARAM self) {
    auto& test = *reinterpret_cast<DialogLabelsTest*>(self);
    if (!ShownIn(control, test.mRoot)) return TRUE;
    const std::wstring cut = CutText(control);
    if (!cut.empty()) test.mCut.push_back(*test.mWhere + L": " + cut);
    return TRUE;
  }
  std::wstring Report() const {
    std::wstring all;
    for (const std::wstring& cut : mCut) all += cut + L"\n";
    return all;
  }

  HWND mRoot = nullptr;
  int mMeasured = 0;
  const std::wstring* mWhere = nullptr;
  std::vector<std::wstring> mCut;
};

TEST_F(DialogLabelsTest, EveryDialogShowsEveryTextWhole) {
  char asked[16] = {};
  if (GetEnvironmentVariableA("ONDARA_SCREEN_DPI", asked, sizeof asked)) {
    HDC const screen = GetDC(nullptr);
    ASSERT_EQ(std::atoi(asked), GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
  }
  for (int type = 0; type < 6; ++type) {
    for (int tab = 0; tab < SettingsDlg::kTabCount; ++tab) {
      Run(type, tab, [&](SettingsDlg& dialog) {
        const std::wstring where = L"type " + std::to_wstring(type) + L" tab " + std::to_wstring(tab);
        MeasureDialog(dialog.GetHandle(), where);
        if (tab != 0 || (type != 3 && type != 4)) return;
        // The nested pages of the other two stimulus methods.
        for (int method = 1; method < 3; ++method) {
          HWND const list = Item(IDC_DET_METHOD);
          SendMessageW(list, CB_SETCURSEL, method, 0);
          SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(IDC_DET_METHOD, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
          MeasureDialog(dialog.GetHandle(), where + L" method " + std::to_wstring(method + 2));
        }
      });
    }
  }
  mSeam.DialogScript = [&](OWL::TDialog& dialog) {
    wchar_t caption[80] = {};
    GetWindowTextW(dialog.GetHandle(), caption, 80);
    MeasureDialog(dialog.GetHandle(), caption);
  };
  ZR::SettingsWarningDlg(nullptr).Execute();
  TableView::SigFigValues figures;
  TableView::RunSigFigDialog(nullptr, figures);
  QOR::ComPtr<IPersistObject> edited;
  ZR::ChanCalc::RunSettingsDialog(nullptr, static_cast<IHostDocument*>(mHost.Get()), nullptr, nullptr, edited.Out(), 1, 0);
  EXPECT_EQ(mMeasured, 6 * SettingsDlg::kTabCount + 4 + 3);
  EXPECT_TRUE(mCut.empty()) << testing::PrintToString(Report());
}

}  // namespace
