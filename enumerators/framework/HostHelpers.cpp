// Number texts and lower-casing shared by the getter, the settings texts and the views.
#include "enumerators/framework/HostHelpers.h"

#include "base/TickConversion.h"

#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>
#include <string.h>

namespace ExtLib {

int32_t RoundToLong(double x) noexcept { return RoundHalfAwayToInt32Sat(x); }

std::wstring FormatDouble(double x, int precision) {
  if (std::isinf(x)) return x > 0 ? L"infinity" : L"-infinity";
  if (!std::isfinite(x)) return L"NaN";
  std::wostringstream out;
  out.imbue(std::locale::classic());
  out << std::setprecision(precision) << x;
  return out.str();
}

std::wstring LongToText(int32_t x) {
  std::wostringstream out;
  out.imbue(std::locale::classic());
  out << x;
  return out.str();
}

QOR::String LongToString(int32_t x) { return QOR::String(LongToText(x).c_str()); }

void LowerCaseInPlace(QOR::String& text) {
  const int length = text.Length();
  if (length == 0) return;
  wchar_t* const buffer = text.MakeUnique();
  _wcslwr_s(buffer, static_cast<size_t>(length) + 1);
}

}  // namespace ExtLib
