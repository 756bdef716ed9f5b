// EventHelper: the comparison and text of an event record's head.
#include "selfcheck/EventHelper.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace SelfCheck {
namespace EventHelper {

bool SameHead(double positionA, double positionB, double valueA, double valueB, bool single) noexcept {
  if (single) {
    // Beyond the float range a value rounds to infinity, as the detector would have stored it.
    valueA = static_cast<float>(valueA);
    valueB = static_cast<float>(valueB);
  }
  const bool ok = std::isfinite(valueA) == std::isfinite(valueB) && std::fabs(positionA - positionB) < 0.001;
  if (!std::isfinite(valueA)) return ok;
  if (std::fabs(valueA) < 1e-12 && std::fabs(valueB) < 1e-12) return ok;
  double difference = valueA - valueB;
  if (single) difference = static_cast<float>(difference);
  // A value of exactly 0 gives an infinite quotient, and a NaN one fails the test as well.
  return ok && std::fabs(difference) / std::fabs(valueA) < 1e-5;
}

std::wstring HeadText(double position, double value, bool single) {
  std::wostringstream text;
  text.imbue(std::locale::classic());
  text << L'[' << position << L", ";
  if (single) text << static_cast<float>(value);
  else text << value;
  text << L']';
  return text.str();
}

}  // namespace EventHelper
}  // namespace SelfCheck
