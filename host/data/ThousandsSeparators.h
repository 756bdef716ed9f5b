// Numbers written with thousands separators ("20,000", "1,234.5"; "1.234,5" where the decimal
// separator is the comma), which the host reads in no place: the plain form to offer instead.
#pragma once

#include <string>
#include <string_view>

namespace host {

// text without its thousands separators when it plainly has them: a sign, one to three digits,
// then groups of three digits each after a separator (the comma, or the point when decimal is
// the comma), then the decimal part; with a point for decimal, a lone comma ("1,234") also
// reads as a decimal comma and is taken only when lone says so. Empty otherwise.
std::string WithoutThousandsSeparators(std::string_view text, char decimal = '.', bool lone = false);

}  // namespace host
