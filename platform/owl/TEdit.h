// OWL::TEdit: an edit control, optionally with a validator that filters typed characters and
// checks the finished text (CanClose, leaving the control).
#pragma once

#include "platform/owl/TStatic.h"

#include <memory>

namespace OWL {

class TValidator;

class TEdit : public TStatic {
 public:
  TEdit(TWindow* parent, int id, const wchar_t* text, int x, int y, int w, int h,
        UINT textLimit = 0, bool multiline = false, TModule* module = nullptr);
  TEdit(TWindow* parent, int resourceId, UINT textLimit = 0, TModule* module = nullptr);
  ~TEdit() override;

  // Takes ownership (null removes the validator).
  void SetValidator(TValidator* validator);
  // True without a validator; with reportError an invalid text is reported (ValidatorError).
  bool IsValid(bool reportError = false);
  // The validator's Error, then the focus back on the control with its text selected.
  virtual void ValidatorError();

  void LimitText(UINT limit) noexcept;
  void SetSelection(int start, int end) noexcept { SendMessage(EM_SETSEL, start, end); }
  void GetSelection(int& start, int& end) const noexcept;

  bool CanClose() override;
  void SetupWindow() override;
  const wchar_t* GetClassName() override { return L"EDIT"; }

  // A character the validator would refuse is swallowed with a beep.
  void EvChar(UINT key, UINT repeatCount, UINT flags);
  // Leaving an invalid text for a control other than Cancel posts WM_CHILDINVALID to itself.
  void EvKillFocus(HWND getsFocus);
  // ValidatorError.
  void EvChildInvalid(HWND child);

 private:
  std::unique_ptr<TValidator> mValidator;

  DECLARE_RESPONSE_TABLE(TEdit);
};

}  // namespace OWL
