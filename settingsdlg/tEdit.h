// ZR::tEdit and its kinds: an edit box bound to a setting through the setting's text form, with
// a check that the text is one number; ZR::tIntEdit for whole numbers, ZR::tEditLabelError for
// an edit whose errors show at its label.
#pragma once

#include "settingsdlg/tCtrl.h"

#include <string>

namespace OWL {
class TEdit;
}

namespace ZR {

// The characters an edit may hold: a lone character must be a digit; otherwise digits and
// "-,.e+" ("-e+" for whole numbers). The empty text passes.
bool EditCharactersAllowed(const std::wstring& text, bool wholeNumber);
// The whole text reads as one number in the global locale (a whole number when asked); the
// empty text does not.
bool ReadsAsOneNumber(const std::wstring& text, bool wholeNumber);

class tEdit : public tValueCtrl {
 public:
  tEdit(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, Doc::SettingId settingId, int32_t textLimit,
        int32_t errorIconId);
  ~tEdit() override;

  // Through the setting's FromText and ToText (the user's locale).
  void Store() override;
  void Load() override;
  void Enable(bool enable) override;
  void UpdateVisibility() override;
  void Revalidate() override;
  // The setting's validity, then the text: allowed characters that read as one number.
  bool IsValid() override;
  // At the error icon, or at the label when the edit has one: for an empty text that a number
  // is needed, for a number setting's text that reads as no number that it is none (naming the
  // user's decimal separator), otherwise the setting's own message.
  void ShowError(bool show) override;

  OWL::TEdit& Edit() const noexcept { return *mEdit; }
  // The edit's text, at most 98 characters.
  std::wstring Text() const;

 protected:
  // The character check for whole numbers.
  virtual bool IntegerCharacters() const { return false; }
  // The whole text reads as one number of the setting's kind.
  virtual bool TextReadsWhole(const std::wstring& text) const;

 private:
  std::unique_ptr<OWL::TEdit> mEdit;
};

class tIntEdit : public tEdit {
 public:
  using tEdit::tEdit;

 protected:
  bool IntegerCharacters() const override { return true; }
};

class tEditLabelError : public tEdit {
 public:
  tEditLabelError(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId, int32_t labelId,
                  Doc::SettingId settingId, int32_t textLimit);

  void Enable(bool enable) override;
  void UpdateVisibility() override;
};

}  // namespace ZR
