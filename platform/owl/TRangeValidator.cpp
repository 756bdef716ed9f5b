// OWL::TRangeValidator: parsing and range check.
#include "platform/owl/TRangeValidator.h"

#include "base/OFormatStream.h"
#include "platform/owl/OwlStringIds.h"
#include "platform/owl/TModule.h"

#include <cerrno>
#include <cwchar>

namespace OWL {

TRangeValidator::TRangeValidator(long min, long max)
    : TFilterValidator(min < 0 ? L"0-9+-" : L"0-9+"), mMin(min), mMax(max) {}

bool TRangeValidator::IsValid(const wchar_t* text) const {
  if (!text || !*text || !TFilterValidator::IsValid(text)) return false;
  wchar_t* end = nullptr;
  errno = 0;
  long const value = wcstol(text, &end, 10);
  if (errno == ERANGE || end == text || *end) return false;
  return value >= mMin && value <= mMax;
}

void TRangeValidator::Error(TWindow* owner) const {
  std::wstring const format = TModule::Default().LoadString(IDS_OWL_VALIDATOR_OUT_OF_RANGE);
  if (format.empty()) {
    ShowError(owner, format);
    return;
  }
  QOR::OFormatStringStream text(format.c_str());
  text << mMin << mMax;
  ShowError(owner, text.str().GetText());
}

}  // namespace OWL
