// ZR::tUnitsEdit: an edit for a double setting shown in a prefixed unit, with the unit at its
// label; ZR::tUnitsEditUpDown adds an up-down that steps the value by 10 per cent.
#pragma once

#include "base/UnitPrefix.h"
#include "settingsdlg/tEdit.h"

namespace OWL {
class TUpDown;
}

namespace ZR {

// A typed number in the user's locale read the classic way (the user's decimal separator
// becomes "."); false, with what could be read in value (0 when nothing), when anything is
// left over.
bool ReadUserNumber(const std::wstring& text, double& value);
// x with six significant digits, or with fewer when six would not go into limit characters (one
// at the least), so that an edit taking limit characters shows the whole number.
std::wstring NumberWithin(double x, size_t limit);

class tUnitsEdit : public tEditLabelError {
 public:
  tUnitsEdit(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, int32_t labelId,
             Doc::SettingId settingId, int32_t textLimit, const QOR::UnitWithPrefix& unit);

  // The typed value times the prefix's multiplier, set directly.
  void Store() override;
  void Load() override;
  // x in the prefixed unit with six significant digits, fewer when the edit's text limit takes
  // no more (NumberWithin); the label shows the unit.
  void ShowValue(double x);
  double Multiplier() const noexcept;
  // The unit of the next Load and Store (the channel's, after a source change).
  void SetUnit(const QOR::UnitWithPrefix& unit) { mUnit = unit; }

 protected:
  bool TextReadsWhole(const std::wstring& text) const override;
  // The typed value in the shown unit.
  double ReadShown() const;

 private:
  QOR::UnitWithPrefix mUnit;
};

class tUnitsEditUpDown : public tUnitsEdit {
 public:
  tUnitsEditUpDown(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, int32_t labelId,
                   int32_t upDownId, Doc::SettingId settingId, int32_t textLimit, const QOR::UnitWithPrefix& unit);
  ~tUnitsEditUpDown() override;

  void Enable(bool enable) override;
  void UpdateVisibility() override;
  // Grows (iDelta negative) by 10 per cent or shrinks by it, from 0 by the step; the shown value
  // stays inside the setting's bounds. The setting changes at the next Store.
  int OnSpin(int32_t first, const NMUPDOWN* notification) override;
  double Step() const noexcept { return mStep; }

 private:
  std::unique_ptr<OWL::TUpDown> mUpDown;
  double mStep = 0.001;
};

}  // namespace ZR
