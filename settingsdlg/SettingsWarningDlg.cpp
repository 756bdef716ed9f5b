// ZR::SettingsWarningDlg: the template, the warning icon and the marker bitmap.
#include "settingsdlg/SettingsWarningDlg.h"

#include "controls/BitmapControls.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TStatic.h"
#include "settingsdlg/SettingsDlgIds.h"

namespace ZR {

namespace {

OWL::TBitmap* LoadMarker() {
  HBITMAP const bitmap = OWL::TModule::Default().LoadBitmap(IDB_INVALID_MARKER);
  return bitmap ? new OWL::TBitmap(bitmap, OWL::TAutoDelete::AutoDelete) : nullptr;
}

}  // namespace

SettingsWarningDlg::SettingsWarningDlg(OWL::TWindow* parent)
    : QOR::DialogBase(parent, L"ZRINVALIDSETTINGSDLG"),
      mIcon(new OWL::TStatic(this, IDC_WARN_ICON)),
      mMarker(new QORControls::BitmapWindow(this, LoadMarker())) {}

void SettingsWarningDlg::SetupWindow() {
  QOR::DialogBase::SetupWindow();
  auto const icon = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(32515), IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
  mIcon->SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon));
}

}  // namespace ZR
