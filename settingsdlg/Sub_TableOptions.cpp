// ZR::Dlg::Sub_TableOptions: the measurement check boxes, their layout and their settings.
#include "settingsdlg/Sub_TableOptions.h"

#include "controls/TBalloonCheckBox.h"
#include "document/ParamCatalogue.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "platform/owl/TCheckBox.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TGroupBox.h"
#include "platform/uihelpers/ScreenDpi.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/SettingsDlgIds.h"

#include <algorithm>
#include <memory>

namespace ZR::Dlg {

using QOR::ScaleForDpi;

namespace {

constexpr int kBoxWidth = 120;
constexpr int kBoxHeight = 16;
constexpr int kFontHeight = 13;

// Shared by every Table Options page of the process, at the screen's resolution.
HFONT PageFont() {
  static const std::unique_ptr<OWL::TFont> font(new OWL::TFont(L"Tahoma", ScaleForDpi(kFontHeight, QOR::ScreenDpi()),
                                                               0, 0, 0, FW_NORMAL, DEFAULT_PITCH, false, false, false,
                                                               DEFAULT_CHARSET));
  return *font;
}

int CeilDiv(int a, int b) noexcept { return a / b + (a % b ? 1 : 0); }

}  // namespace

TableOptionsGrid LayOutTableOptions(int count, int width, int height, int dpi) noexcept {
  int const rowPitch = std::max(1, ScaleForDpi(Sub_TableOptions::kRowPitch, dpi));
  int const columnPitch = ScaleForDpi(Sub_TableOptions::kColumnPitch, dpi);
  int const fit = std::max(1, (height + ScaleForDpi(8, dpi)) / rowPitch);
  int const columns = std::max(3, CeilDiv(count, fit));
  int const rows = std::max(1, CeilDiv(count, columns));
  return TableOptionsGrid{rows, columns, (height + ScaleForDpi(8, dpi) - rowPitch * rows) / 3,
                          (width + ScaleForDpi(20, dpi) - columnPitch * columns) / 2 + ScaleForDpi(10, dpi)};
}

DEFINE_RESPONSE_TABLE1(Sub_TableOptions, Base::ZRSubDlg)
  EV_BN_CLICKED(IDC_TO_CHECK_ALL, CmCheckAll),
  EV_BN_CLICKED(IDC_TO_UNCHECK_ALL, CmUncheckAll),
END_RESPONSE_TABLE;

Sub_TableOptions::Sub_TableOptions(SettingsDlg* owner, IUnknown* hostDataDocument)
    : ZRSubDlg(IDD_TABLE_OPTIONS, owner, hostDataDocument),
      mSummary(new OWL::TCheckBox(this, IDC_TO_SUMMARY)),
      mGroup(new OWL::TGroupBox(this, IDC_TO_GROUP)),
      mBoundary(new OWL::TGroupBox(this, IDC_TO_BOUNDARY)),
      mType(0) {
  if (!owner) return;
  const Doc::SettingsStore& store = owner->Store();
  if (const auto* type = store.GetIntSetting(Doc::kSettingAnalysisType)) mType = type->Get();
  const Doc::ParamCatalogue* const catalogue = store.GetCatalogue();
  const int count = catalogue ? catalogue->Count(mType) : 0;
  for (int k = 0; k < count; ++k) {
    auto* const box = new QORControls::TBalloonCheckBox(this, IDC_TO_FIRST_MEASUREMENT + k,
                                                        catalogue->GetShortName(mType, k).GetText(), 10 * k, mGroup);
    box->SetHoverDelay(500);
    mBoxes.push_back(box);
  }
}

// The page deletes its child objects; the check boxes go last made first.
Sub_TableOptions::~Sub_TableOptions() {
  for (auto box = mBoxes.rbegin(); box != mBoxes.rend(); ++box) delete *box;
}

void Sub_TableOptions::SetupWindow() {
  ZRSubDlg::SetupWindow();
  Load();
}

void Sub_TableOptions::PlaceBoxes() {
  OWL::TRect bounds = mBoundary->GetWindowRect();
  POINT origin{bounds.left, bounds.top};
  ::ScreenToClient(mHandle, &origin);
  // The boxes are not in the dialog's template, which the system scales: they scale with it.
  const int dpi = QOR::ScreenDpi();
  mGrid = LayOutTableOptions(Count(), bounds.Width(), bounds.Height(), dpi);
  for (int k = 0; k < Count(); ++k) {
    int const x = origin.x + mGrid.left + ScaleForDpi(kColumnPitch, dpi) * (k / mGrid.rows);
    int const y = origin.y + mGrid.top + ScaleForDpi(kRowPitch, dpi) * (k % mGrid.rows);
    ::SetWindowPos(Box(k).GetHandle(), nullptr, x, y, ScaleForDpi(kBoxWidth, dpi), ScaleForDpi(kBoxHeight, dpi),
                   SWP_NOZORDER | SWP_SHOWWINDOW);
  }
}

void Sub_TableOptions::Load() {
  if (!Owner()) return;
  const Doc::SettingsStore& store = Owner()->Store();
  const Doc::ZRSetting_Bool* const summary = store.GetBoolSetting(Doc::kSettingSummaryRows);
  mSummary->SetCheck(summary && summary->Get() ? BST_CHECKED : BST_UNCHECKED);
  PlaceBoxes();
  const Doc::ParamCatalogue* const catalogue = store.GetCatalogue();
  for (int k = 0; k < Count(); ++k) {
    QORControls::TBalloonCheckBox& box = Box(k);
    const Doc::ZRSetting_Bool* const column = store.GetBoolSetting(Doc::ColumnSwitchId(catalogue->GetId(mType, k)));
    box.SetCheck(column && column->Get() ? BST_CHECKED : BST_UNCHECKED);
    const QOR::String& title = catalogue->GetLongName(mType, k);
    box.SetBalloonText(title.GetText(), catalogue->GetDescription(mType, k).GetText(), std::max(3 * title.Length() / 2, 50));
    box.SetWindowFont(PageFont(), true);
  }
}

void Sub_TableOptions::Store() {
  if (!Owner()) return;
  Doc::SettingsStore& store = Owner()->Store();
  if (Doc::ZRSetting_Bool* const summary = store.GetBoolSetting(Doc::kSettingSummaryRows))
    summary->Set(mSummary->GetCheck() == BST_CHECKED);
  const Doc::ParamCatalogue* const catalogue = store.GetCatalogue();
  for (int k = 0; k < Count(); ++k) {
    if (Doc::ZRSetting_Bool* const column = store.GetBoolSetting(Doc::ColumnSwitchId(catalogue->GetId(mType, k))))
      column->Set(Box(k).GetCheck() == BST_CHECKED);
  }
}

void Sub_TableOptions::CmCheckAll() {
  for (auto* box : mBoxes) box->Check();
}

void Sub_TableOptions::CmUncheckAll() {
  for (auto* box : mBoxes) box->Uncheck();
}

}  // namespace ZR::Dlg
