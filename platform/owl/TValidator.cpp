// OWL::TValidator: the accepting base.
#include "platform/owl/TValidator.h"

namespace OWL {

bool TValidator::IsValidInput(const wchar_t*) const { return true; }
bool TValidator::IsValid(const wchar_t*) const { return true; }
void TValidator::Error(TWindow*) const {}

}  // namespace OWL
