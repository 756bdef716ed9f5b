// ValidatingEdit: an edit control whose validator's complaints can go to an error icon
// instead of a message box; the icon is cleared as soon as the typed text is valid again.
#pragma once

#include "platform/owl/TEdit.h"

namespace QORControls {
class ErrorProvider;
}  // namespace QORControls

class ValidatingEdit : public OWL::TEdit {
 public:
  static constexpr int kControlId = 1001;

  // The template edit 1001, at most 255 characters.
  explicit ValidatingEdit(OWL::TWindow* parent);

  virtual bool IsValueValid() = 0;
  // Not owned; null detaches the icon (the framework's messages apply again).
  virtual void SetErrorProvider(QORControls::ErrorProvider* errorProvider) { mErrorProvider = errorProvider; }

  // The framework's filtering; then, with an icon, a valid text clears the icon's error.
  void EvChar(UINT key, UINT repeatCount, UINT flags);
  // With an icon the complaint is left to it; without, the framework's message.
  void EvChildInvalid(HWND child);

 private:
  QORControls::ErrorProvider* mErrorProvider = nullptr;

  DECLARE_RESPONSE_TABLE(ValidatingEdit);
};
