// ZR::Dlg::CalcBaseSubDlg: store, validate and load through the page's list.
#include "settingsdlg/CalcBaseSubDlg.h"

#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/tCtrl.h"

#include <algorithm>

namespace ZR::Dlg {

CalcBaseSubDlg::CalcBaseSubDlg(int templateId, SettingsDlg* owner, IUnknown* hostDataDocument)
    : ZRSubDlg(templateId, owner, hostDataDocument), mList(std::make_unique<tCtrlList>()) {}

CalcBaseSubDlg::~CalcBaseSubDlg() = default;

void CalcBaseSubDlg::Bind(const PageTable& table) {
  mTable = table;
  SettingsDlg* const owner = Owner();
  AddBindings(*mList, table.rows, table.rowCount, owner ? &owner->Store() : nullptr, this,
              owner ? owner->ChannelUnits() : QOR::UnitWithPrefix{L"V", L'm'});
}

void CalcBaseSubDlg::Store() { mList->StoreAll(); }

bool CalcBaseSubDlg::IsValid() { return mList->AllValid(); }

// The edits' change notifications are not passed on while they load: a pair told of its first
// member's new text would store its second member's old text (another channel's after a source
// change) over the setting before that member loads.
void CalcBaseSubDlg::Load() {
  if (Owner()) FollowChannelUnits(*mList, Owner()->ChannelUnits());
  mLoading = true;
  mList->LoadAll();
  mLoading = false;
  AfterLoad();
}

void CalcBaseSubDlg::SetupWindow() {
  ZRSubDlg::SetupWindow();
  Load();
}

LRESULT CalcBaseSubDlg::EvCommand(UINT id, HWND control, UINT notifyCode) {
  const auto controlId = static_cast<int32_t>(id);
  const int32_t* const changes = mTable.changeIds;
  if (control && notifyCode == EN_CHANGE && changes && !mLoading &&
      std::find(changes, changes + mTable.changeCount, controlId) != changes + mTable.changeCount)
    mList->OnControlNotify(controlId);
  if (control && notifyCode == BN_CLICKED) OnClicked(controlId);
  return ZRSubDlg::EvCommand(id, control, notifyCode);
}

}  // namespace ZR::Dlg
