// OWL::TValidator: decides whether an edit control's text is acceptable, while it is typed
// (IsValidInput) and when it is finished (IsValid), and tells the user when it is not (Error).
// The base accepts everything.
#pragma once

namespace OWL {

class TWindow;

class TValidator {
 public:
  TValidator() = default;
  TValidator(const TValidator&) = delete;
  TValidator& operator=(const TValidator&) = delete;
  virtual ~TValidator() = default;

  // text is the whole text as it would be after the key just typed.
  virtual bool IsValidInput(const wchar_t* text) const;
  virtual bool IsValid(const wchar_t* text) const;
  // Shows why the text is not valid, over owner (through the modal seam). Nothing here.
  virtual void Error(TWindow* owner) const;
};

}  // namespace OWL
