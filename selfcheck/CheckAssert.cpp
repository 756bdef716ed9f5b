// The self-checks' failure text and the throw that carries it.
#include "selfcheck/CheckAssert.h"

#include "base/OStringStream.h"
#include "selfcheck/UnitTestException.h"

#include <cstring>

namespace SelfCheck {

QOR::String FormatFailure(const char* expression, const char* file, int32_t line,
                          const QOR::String& explanation) {
  const char* const cut = std::strrchr(file, '\\');
  QOR::Automation::ClassicOStringStream text;  // line numbers without grouping
  text << QOR::String(cut ? cut + 1 : file) << L", Line " << line;
  if (expression && *expression) text << L" [" << QOR::String(expression) << L"]";
  if (!explanation.IsEmpty()) text << L", [" << explanation << L"]";
  return text.str();
}

void FailCheck(const char* expression, const char* file, int32_t line,
               const QOR::String& explanation) {
  throw UnitTestException(FormatFailure(expression, file, line, explanation));
}

}  // namespace SelfCheck
