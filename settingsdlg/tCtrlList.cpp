// ZR::tCtrlList: the two-level lookup and the whole-list operations.
#include "settingsdlg/tCtrlList.h"

#include "settingsdlg/tCtrl.h"

namespace ZR {

tCtrlList::~tCtrlList() = default;

void tCtrlList::AddList(tCtrlList* list) { mLists.emplace_back(list); }
void tCtrlList::AddCtrl(tCtrl* ctrl) { mCtrls.emplace_back(ctrl); }

tCtrl* tCtrlList::FindOwnCtrl(int32_t controlId) const noexcept {
  for (const auto& ctrl : mCtrls)
    if (ctrl->ControlId() == controlId) return ctrl.get();
  return nullptr;
}

int32_t tCtrlList::FindNestedIndex(int32_t controlId) const noexcept {
  for (size_t i = 0; i < mLists.size(); ++i)
    if (mLists[i]->FindOwnCtrl(controlId)) return static_cast<int32_t>(i);
  return -1;
}

tCtrlList* tCtrlList::NestedListOf(int32_t controlId) const noexcept {
  const int32_t index = FindNestedIndex(controlId);
  return index < 0 ? nullptr : mLists[static_cast<size_t>(index)].get();
}

tCtrl* tCtrlList::FindCtrl(int32_t controlId) const noexcept {
  if (tCtrl* const own = FindOwnCtrl(controlId)) return own;
  const tCtrlList* const nested = NestedListOf(controlId);
  return nested ? nested->FindOwnCtrl(controlId) : nullptr;
}

void tCtrlList::LoadAll() {
  for (const auto& ctrl : mCtrls) {
    ctrl->Load();
    ctrl->UpdateVisibility();
  }
  for (const auto& list : mLists) list->LoadAll();
}

void tCtrlList::StoreAll() {
  for (const auto& ctrl : mCtrls)
    if (!ctrl->IsHidden()) ctrl->Store();
  for (const auto& list : mLists) list->StoreAll();
}

bool tCtrlList::AllValid() {
  for (const auto& ctrl : mCtrls)
    if (!ctrl->IsHidden() && !ctrl->IsValid()) return false;
  for (const auto& list : mLists)
    if (!list->AllValid()) return false;
  return true;
}

void tCtrlList::OnControlNotify(int32_t controlId) {
  if (tCtrl* const own = FindOwnCtrl(controlId)) return own->Revalidate();
  if (tCtrlList* const nested = NestedListOf(controlId)) nested->OnControlNotify(controlId);
}

void tCtrlList::SetHidden(int32_t controlId, bool hidden) {
  if (tCtrl* const own = FindOwnCtrl(controlId)) {
    own->SetHidden(hidden);
    own->UpdateVisibility();
    return;
  }
  if (tCtrlList* const nested = NestedListOf(controlId)) nested->SetHidden(controlId, hidden);
}

void tCtrlList::EnableAll(bool enable) {
  for (const auto& ctrl : mCtrls) ctrl->Enable(enable);
  for (const auto& list : mLists) list->EnableAll(enable);
}

int tCtrlList::OnSpinNotify(int32_t controlId, int32_t first, const NMUPDOWN* notification) {
  if (tCtrl* const own = FindOwnCtrl(controlId)) return own->OnSpin(first, notification);
  if (tCtrlList* const nested = NestedListOf(controlId)) return nested->OnSpinNotify(controlId, first, notification);
  return 0;
}

}  // namespace ZR
