// Doubles as the shortest general-notation text that reads back to the same value.
#pragma once

#include <string>

namespace QOR {

// The value in the classic locale and general notation, with six significant digits when that
// text reads back (by stream extraction) to exactly the same double, else with the fewest more
// digits that do (at most 17, which always suffice). So every value a user could type with six
// digits or fewer keeps its familiar short form ("0.03", "1e-05", "2e+09") while longer ones
// ("1234567", "0.1234567") are no longer rounded away. Infinities and NaN give "inf", "-inf"
// and "nan".
std::wstring ExactDoubleText(double value);

}  // namespace QOR
