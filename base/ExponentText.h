// Number texts with their exponent tidied, as the tables show them.
#pragma once

#include <string>

namespace QOR {

// "1.235e+005" -> "1.235e5", "1.235e-07" -> "1.235e-7": the exponent's "+" and leading zeros go;
// so does a point with no digit after it ("8.e+01" -> "8e1", "12." -> "12"). A text that is not a
// decimal number (with an optional exponent) comes back unchanged.
std::wstring TidyExponent(const std::wstring& text);

}  // namespace QOR
