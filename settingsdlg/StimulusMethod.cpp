// ZR::Dlg::StimulusMethod: the method list and the nested page it chooses.
#include "settingsdlg/StimulusMethod.h"

#include "controls/BitmapControls.h"
#include "document/SettingIds.h"
#include "document/SettingTexts.h"
#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "platform/owl/TComboBox.h"
#include "platform/owl/TGroupBox.h"
#include "settingsdlg/DetectorPageIds.h"
#include "settingsdlg/SettingsDlg.h"
#include "settingsdlg/StimulusPages.h"
#include "settingsdlg/Sub_DetectorBase.h"
#include "settingsdlg/UpdatingScope.h"
#include "settingsdlg/tCtrlList.h"

#include <algorithm>
#include <iterator>

namespace ZR::Dlg {

StimulusMethod::StimulusMethod(Sub_DetectorBase& page)
    : mPage(page),
      mList(new OWL::TComboBox(&page, IDC_DET_METHOD, 0)),
      mNestedPlace(new OWL::TGroupBox(&page, IDC_DET_NESTED_PLACE)),
      mGroup(new QORControls::TBitmapGroupBox(&page, IDC_DET_STIMULUS_GROUP, IDB_STIMULUS_GROUP)) {}

StimulusMethod::~StimulusMethod() = default;

void StimulusMethod::Fill() {
  mList->ClearList();
  Doc::SettingsStore& store = mPage.SettingsStore();
  auto* const method = store.GetIntSetting(Doc::kSettingStimulusMethod);
  auto* const type = store.GetIntSetting(Doc::kSettingAnalysisType);
  const bool offered = type && (type->Get() == 3 || type->Get() == 4);
  if (method && offered) {
    const auto* const end = std::end(kMethods);
    if (std::find(std::begin(kMethods), end, method->Get()) == end) method->Set(kMethods[0]);
    for (const int32_t m : kMethods) mList->AddString(Doc::DetectorPositionKindName(m).GetText());
    mList->SetSelIndex(static_cast<int>(std::count_if(std::begin(kMethods), end, [&](int32_t m) { return m < method->Get(); })));
  }
  RebuildNested();
}

void StimulusMethod::OnChange() {
  UpdatingScope scope(mPage.Updating());
  if (!scope.Took()) return;
  const int selection = mList->GetSelIndex();
  auto* const method = mPage.SettingsStore().GetIntSetting(Doc::kSettingStimulusMethod);
  // CB_ERR (no entry chosen) keeps the stored method: -1 would leave no nested page and no
  // detector to run.
  if (selection < 0 || selection >= static_cast<int>(std::size(kMethods)) || !method) return;
  method->Set(kMethods[selection]);
  RebuildNested();
  mPage.Store();
  if (mPage.IsValid()) mPage.SchedulePreview(true);
}

void StimulusMethod::RebuildNested() {
  if (mNested) {
    mNested->Destroy(IDCANCEL);
    mNested.reset();
  }
  auto* const method = mPage.SettingsStore().GetIntSetting(Doc::kSettingStimulusMethod);
  const int32_t kind = method ? method->Get() : -1;
  SettingsDlg* const owner = mPage.Owner();
  IUnknown* const host = mPage.HostDataDocument();
  if (kind == 2) mNested = std::make_unique<SubSub_FixedPosition>(owner, &mPage, host);
  if (kind == 3 || kind == 4) mNested = std::make_unique<SubSub_MinHeightMaxWidthSkipTime>(owner, &mPage, host, kind == 4);
  if (!mNested) return;
  mNested->Create();
  mNested->Reposition(mNestedPlace->GetWindowRect());
  // Made last, the nested page would come last in the Tab order, after the response group on
  // the right; it takes its place's turn, just after the method list.
  ::SetWindowPos(mNested->GetHandle(), mNestedPlace->GetHandle(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void StimulusMethod::StoreWith(tCtrlList& list) {
  if (mNested) mNested->Store();
  list.StoreAll();
}

bool StimulusMethod::ValidWith(tCtrlList& list) {
  const bool nested = !mNested || mNested->IsValid();
  const bool own = list.AllValid();
  return nested && own;
}

void StimulusMethod::LoadWith(tCtrlList& list) {
  Fill();
  list.LoadAll();
}

}  // namespace ZR::Dlg
