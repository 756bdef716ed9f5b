// Doubles as the shortest general-notation text that reads back to the same value.
#include "base/ExactDoubleText.h"

#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace QOR {

static std::wstring GeneralText(double value, int digits) {
  std::wostringstream out;
  out.imbue(std::locale::classic());
  out << std::setprecision(digits) << value;
  return out.str();
}

static bool ReadsBackAs(const std::wstring& text, double value) {
  std::wistringstream in(text);
  in.imbue(std::locale::classic());
  double read = 0.0;
  in >> read;
  return !in.fail() && read == value;
}

std::wstring ExactDoubleText(double value) {
  if (!std::isfinite(value)) return GeneralText(value, 6);
  for (int digits = 6; digits < 17; ++digits) {
    std::wstring text = GeneralText(value, digits);
    if (ReadsBackAs(text, value)) return text;
  }
  return GeneralText(value, 17);
}

}  // namespace QOR
