// The self-checks' assertion: a failed condition ends the case with a text naming where it failed.
#pragma once

#include "base/String.h"

#include <cstdint>

namespace SelfCheck {

// The failure text: the file label cut after its last backslash, ", Line " and the line,
// then " [expression]" and ", [explanation]" when they are not empty.
QOR::String FormatFailure(const char* expression, const char* file, int32_t line,
                          const QOR::String& explanation);

// Throws UnitTestException with the text FormatFailure makes.
[[noreturn]] void FailCheck(const char* expression, const char* file, int32_t line,
                            const QOR::String& explanation = QOR::String());

// Every routine names its file label and lines with constants of its own: the failure texts
// stay the same when the source is moved or edited.
inline void CheckThat(bool condition, const char* expression, const char* file, int32_t line,
                      const QOR::String& explanation = QOR::String()) {
  if (!condition) FailCheck(expression, file, line, explanation);
}

}  // namespace SelfCheck
