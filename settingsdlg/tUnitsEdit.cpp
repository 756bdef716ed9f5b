// The units edits: values scaled by the unit's prefix, the unit at the label, and the spin step.
#include "settingsdlg/tUnitsEdit.h"

#include "controls/StaticTextErrorProvider.h"
#include "document/SettingsStore.h"
#include "document/ZRSettingIO.h"
#include "platform/owl/TEdit.h"
#include "platform/owl/TUpDown.h"

#include <algorithm>
#include <cmath>
#include <locale>
#include <sstream>

namespace ZR {

bool ReadUserNumber(const std::wstring& text, double& value) {
  const wchar_t decimal = std::use_facet<std::numpunct<wchar_t>>(std::locale()).decimal_point();
  std::wstring classic = text;
  std::replace(classic.begin(), classic.end(), decimal, L'.');
  std::wistringstream in(classic);
  in.imbue(std::locale::classic());
  value = 0;
  in >> value;
  if (in.fail()) {
    value = 0;
    return false;
  }
  return in.peek() == std::char_traits<wchar_t>::eof();
}

std::wstring NumberWithin(double x, size_t limit) {
  std::wstring text;
  for (int digits = 6; digits >= 1; --digits) {
    std::wostringstream out;
    out.precision(digits);
    out << x;
    text = out.str();
    if (text.size() <= limit) break;
  }
  return text;
}

tUnitsEdit::tUnitsEdit(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, int32_t labelId,
                       Doc::SettingId settingId, int32_t textLimit, const QOR::UnitWithPrefix& unit)
    : tEditLabelError(store, parent, controlId, labelId, settingId, textLimit), mUnit(unit) {}

double tUnitsEdit::Multiplier() const noexcept { return mUnit.prefix ? QOR::PrefixMultiplier(mUnit.prefix) : 1.0; }

double tUnitsEdit::ReadShown() const {
  double value = 0;
  ReadUserNumber(Text(), value);
  return value;
}

bool tUnitsEdit::TextReadsWhole(const std::wstring& text) const {
  double value = 0;
  return ReadUserNumber(text, value);
}

void tUnitsEdit::Store() {
  if (Doc::ZRSettingDouble* const setting = SettingsStore().GetDoubleSetting(SettingId()))
    setting->Set(ReadShown() * Multiplier());
}

void tUnitsEdit::Load() {
  if (const Doc::ZRSettingDouble* const setting = SettingsStore().GetDoubleSetting(SettingId()))
    ShowValue(setting->Get() / Multiplier());
  tCtrl::Load();
}

void tUnitsEdit::ShowValue(double x) {
  // Text set by the program passes the limit the user types against; the edit would scroll what
  // does not fit out of sight.
  const auto limit = static_cast<size_t>(Edit().SendMessage(EM_GETLIMITTEXT));
  Edit().SetWindowText(NumberWithin(x, limit).c_str());
  LabelError()->SetText(QOR::FormatUnitPrefix(mUnit).c_str());
}

tUnitsEditUpDown::tUnitsEditUpDown(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId,
                                   int32_t labelId, int32_t upDownId, Doc::SettingId settingId, int32_t textLimit,
                                   const QOR::UnitWithPrefix& unit)
    : tUnitsEdit(store, parent, controlId, labelId, settingId, textLimit, unit),
      mUpDown(std::make_unique<OWL::TUpDown>(parent, upDownId)) {}

tUnitsEditUpDown::~tUnitsEditUpDown() = default;

void tUnitsEditUpDown::Enable(bool enable) {
  tUnitsEdit::Enable(enable);
  mUpDown->EnableWindow(enable);
}

void tUnitsEditUpDown::UpdateVisibility() {
  tUnitsEdit::UpdateVisibility();
  mUpDown->ShowWindow(IsHidden() ? SW_HIDE : SW_SHOW);
}

int tUnitsEditUpDown::OnSpin(int32_t, const NMUPDOWN* notification) {
  if (!notification) return 0;
  const bool growing = notification->iDelta < 0;
  const double v = ReadShown();
  double next = 0;
  if (v == 0) {
    next = growing ? mStep : -mStep;
  } else {
    next = growing ? v * 1.1 : v / 1.1;
    mStep = std::fabs(next);
  }
  // The bounds are in the setting's base unit, the shown value in the prefixed one.
  if (const Doc::ZRSettingDouble* const setting = SettingsStore().GetDoubleSetting(SettingId())) {
    const double base = std::min(std::max(next * Multiplier(), setting->GetMinimum()), setting->GetMaximum());
    next = base / Multiplier();
  }
  ShowValue(next);
  return 0;
}

}  // namespace ZR
