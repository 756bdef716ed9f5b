// Building a page's control list from its binding rows; the fixed-value edit's rule.
#include "settingsdlg/PageBindings.h"

#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "settingsdlg/tAPDDropList.h"
#include "settingsdlg/tButton.h"
#include "settingsdlg/tCtrlList.h"
#include "settingsdlg/tEdit.h"
#include "settingsdlg/tStaticText.h"
#include "settingsdlg/tUnitsEdit.h"

#include <algorithm>
#include <iterator>
#include <memory>

namespace ZR {

namespace {

tCtrl* MakeWrapper(const WrapperRow& row, Doc::SettingsStore* store, OWL::TWindow* page,
                   const QOR::UnitWithPrefix& units) {
  switch (row.kind) {
    case WrapperKind::Edit: return new tEdit(store, page, row.control, row.setting, row.limit, row.extra);
    case WrapperKind::IntEdit: return new tIntEdit(store, page, row.control, row.setting, row.limit, row.extra);
    case WrapperKind::UnitsEdit:
      return new tUnitsEdit(store, page, row.control, row.extra, row.setting, row.limit, units);
    case WrapperKind::EnumBtn: return new tEnumBtn(store, page, row.control, row.setting, row.extra);
    case WrapperKind::APDDropList: return new tAPDDropList(store, page, row.control, row.setting);
    case WrapperKind::Group: return new tGroup(store, page);
    case WrapperKind::StaticText: return new tStaticText(store, page, row.control);
  }
  return nullptr;
}

}  // namespace

void AddBindings(tCtrlList& list, const BindingRow* rows, size_t count, Doc::SettingsStore* store,
                 OWL::TWindow* page, const QOR::UnitWithPrefix& units) {
  for (size_t i = 0; i < count; ++i) {
    const BindingRow& row = rows[i];
    if (!row.pair) {
      list.AddCtrl(MakeWrapper(row.first, store, page, units));
      continue;
    }
    auto pair = std::make_unique<tOrderedPair>(row.relation);
    pair->AddCtrl(MakeWrapper(row.first, store, page, units));
    pair->AddCtrl(MakeWrapper(row.second, store, page, units));
    list.AddList(pair.release());
  }
}

void FollowChannelUnits(tCtrlList& list, const QOR::UnitWithPrefix& units) {
  for (size_t i = 0; i < list.CtrlCount(); ++i)
    if (auto* const edit = dynamic_cast<tUnitsEdit*>(&list.Ctrl(i))) edit->SetUnit(units);
}

void UpdateFixedValueControl(tCtrlList& list, const Doc::SettingsStore& store, const FixedValueRule& rule) {
  tCtrl* const edit = list.FindCtrl(rule.edit);
  if (!edit) return;
  const auto* const mode = store.GetIntSetting(rule.modeSetting);
  edit->Enable(mode && mode->Get() == rule.enablingMode);
  edit->Load();
}

bool OnFixedValueRadio(tCtrlList& list, const Doc::SettingsStore& store, const FixedValueRule& rule,
                       int32_t control) {
  if (std::find(std::begin(rule.radios), std::end(rule.radios), control) == std::end(rule.radios)) return false;
  if (tCtrl* const radio = list.FindCtrl(control)) radio->Store();
  UpdateFixedValueControl(list, store, rule);
  return true;
}

}  // namespace ZR
