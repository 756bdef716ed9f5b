// The bindings of a settings page as a table: each row binds one dialog control, or an ordered
// pair of two, to a setting through a control wrapper; the page builds its control list from
// its rows. Also the rule of a page whose radio buttons enable a fixed-value edit.
#pragma once

#include "base/UnitPrefix.h"
#include "document/SettingIds.h"
#include "settingsdlg/tCtrl.h"
#include "settingsdlg/tOrderedPair.h"

#include <cstddef>
#include <cstdint>

namespace OWL {
class TWindow;
}
namespace ZR::Doc {
class SettingsStore;
}

namespace ZR {

class tCtrlList;

enum class WrapperKind : int32_t { Edit, IntEdit, UnitsEdit, EnumBtn, APDDropList, Group, StaticText };

// One wrapper. extra is the error-icon placeholder of an edit (-1 for none), the label of a
// units edit (which shows its errors there) or the enum value of a radio button.
struct WrapperRow {
  WrapperKind kind;
  int32_t control;
  Doc::SettingId setting;
  int32_t limit;
  int32_t extra;
};

// A single wrapper (pair false) or an ordered pair of first and second.
struct BindingRow {
  bool pair;
  OrderRelation relation;
  WrapperRow first;
  WrapperRow second;
};

constexpr WrapperRow Edit(int32_t control, Doc::SettingId setting, int32_t limit, int32_t icon) {
  return {WrapperKind::Edit, control, setting, limit, icon};
}
constexpr WrapperRow IntEdit(int32_t control, Doc::SettingId setting, int32_t limit, int32_t icon) {
  return {WrapperKind::IntEdit, control, setting, limit, icon};
}
constexpr WrapperRow UnitsEdit(int32_t control, int32_t label, Doc::SettingId setting, int32_t limit) {
  return {WrapperKind::UnitsEdit, control, setting, limit, label};
}
constexpr WrapperRow EnumBtn(int32_t control, Doc::SettingId setting, int32_t value) {
  return {WrapperKind::EnumBtn, control, setting, 0, value};
}
constexpr WrapperRow APDDropList(int32_t control, Doc::SettingId setting) {
  return {WrapperKind::APDDropList, control, setting, 0, -1};
}
constexpr WrapperRow Group() { return {WrapperKind::Group, 1092, Doc::kNoSetting, 0, -1}; }
constexpr WrapperRow StaticText(int32_t control) { return {WrapperKind::StaticText, control, Doc::kNoSetting, 0, -1}; }

constexpr BindingRow Single(const WrapperRow& row) { return {false, LessThan, row, row}; }
constexpr BindingRow Pair(OrderRelation relation, const WrapperRow& first, const WrapperRow& second) {
  return {true, relation, first, second};
}

// A page's rows and the edits whose changes it hands to its list.
struct PageTable {
  const BindingRow* rows;
  size_t rowCount;
  const int32_t* changeIds;
  size_t changeCount;
};

// Adds the wrappers of rows to list in row order, each pair as a nested list holding its two
// members, first member first. Units edits show their value in units.
void AddBindings(tCtrlList& list, const BindingRow* rows, size_t count, Doc::SettingsStore* store,
                 OWL::TWindow* page, const QOR::UnitWithPrefix& units);

// Every units edit among list's own members takes units, so that after a source change a
// value shows in the new channel's unit.
void FollowChannelUnits(tCtrlList& list, const QOR::UnitWithPrefix& units);

// Radio buttons that store a mode at once when clicked; the edit is enabled only while the mode
// setting holds enablingMode.
struct FixedValueRule {
  int32_t radios[3];
  int32_t edit;
  Doc::SettingId modeSetting;
  int32_t enablingMode;
};

// The edit's wrapper enabled as the mode says, then loaded (value and validity).
void UpdateFixedValueControl(tCtrlList& list, const Doc::SettingsStore& store, const FixedValueRule& rule);
// For a click on one of rule's radios: its wrapper stores, then the edit follows; false for any
// other control.
bool OnFixedValueRadio(tCtrlList& list, const Doc::SettingsStore& store, const FixedValueRule& rule,
                       int32_t control);

}  // namespace ZR
