// Every dialog of the module measured as the user sees it: each static text, check box, radio
// button and edit shown holds its whole text in its own font, at the screen's resolution (96 dpi
// in the usual run; 120, 144, 168 and 192 dpi, whose scales round each their own way, in runs of
// their own).
#include "chancalc/RunSettingsDialog.h"
#include "grid/SigFigDialog.h"
#include "hostapi/ChannelCalc.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/SettingsWarningDlg.h"
#include "settingsdlg/ZRSubDlg.h"
#include "tests/settingsdlg/PageTestFixture.h"
#include "tests/settingsdlg/TextFit.h"
#include "tests/support/AskedScreenDpi.h"

#include <string>
#include <vector>

namespace {

using ZR::Dlg::SettingsDlg;

// Shown when it and every window between it and the dialog carry WS_VISIBLE (the dialog itself
// is not on screen under the modal seam).
bool ShownIn(HWND window, HWND root) {
  for (; window && window != root; window = GetParent(window))
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE)) return false;
  return true;
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
    const std::wstring cut = textfit::CutText(control);
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
  if (const int asked = testsupport::AskedScreenDpi()) {
    HDC const screen = GetDC(nullptr);
    ASSERT_EQ(asked, GetDeviceCaps(screen, LOGPIXELSX));
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
  figures.Figures = 10;  // the widest the edit beside the spinner holds
  TableView::RunSigFigDialog(nullptr, figures);
  QOR::ComPtr<IPersistObject> edited;
  ZR::ChanCalc::RunSettingsDialog(nullptr, static_cast<IHostDocument*>(mHost.Get()), nullptr, nullptr, edited.Out(), 1, 0);
  EXPECT_EQ(mMeasured, 6 * SettingsDlg::kTabCount + 4 + 3);
  EXPECT_TRUE(mCut.empty()) << testing::PrintToString(Report());
}

// The measurement check boxes of the Table Options page, made at run time, are as high as the
// dialog's own check box and write in a font as high as its, at the screen's resolution.
TEST_F(DialogLabelsTest, TableOptionsBoxesScaleLikeTheDialogsOwnCheckBox) {
  const auto textHeight = [](HWND control) {
    HDC const dc = GetDC(control);
    HGDIOBJ const old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return static_cast<int>(metrics.tmHeight);
  };
  Run(1, 3, [&](SettingsDlg& dialog) {
    HWND const page = dialog.CurrentPage()->GetHandle();
    HWND const summary = GetDlgItem(page, 1035);
    RECT own{};
    GetWindowRect(summary, &own);
    int boxes = 0;
    for (HWND box; (box = GetDlgItem(page, 5000 + boxes)) != nullptr; ++boxes) {
      RECT r{};
      GetWindowRect(box, &r);
      EXPECT_NEAR(own.bottom - own.top, r.bottom - r.top, 1) << "box " << boxes;
      EXPECT_NEAR(textHeight(summary), textHeight(box), 1) << "box " << boxes;
    }
    EXPECT_GT(boxes, 10);
  });
}

}  // namespace
