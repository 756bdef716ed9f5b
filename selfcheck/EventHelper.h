// EventHelper: whether two event records describe the same event, and a short text of one, for
// the checks that compare an enumerator's events with a reference reading.
#pragma once

#include "base/EventRecords.h"

#include <string>
#include <type_traits>

namespace SelfCheck {
namespace EventHelper {

// The comparison on the records' common head. Detector records (single) compare their values
// in single precision, as the detector measured them.
bool SameHead(double positionA, double positionB, double valueA, double valueB, bool single) noexcept;
std::wstring HeadText(double position, double value, bool single);

template <class TBufType>
inline constexpr bool kSinglePrecision = std::is_same_v<TBufType, EventPkStm>;

// Positions within 0.001 tick; values both not finite, both below 1e-12 in magnitude, or within
// 1e-5 relative to a's value (so not symmetric: a is the record under test, b the reference).
// Kind and every later field are not compared.
template <class TBufType>
bool same(TBufType a, TBufType b) noexcept {
  return SameHead(a.Position(), b.Position(), a.value, b.value, kSinglePrecision<TBufType>);
}

// "[position, value]" in general notation with six significant digits: "[120.25, 1.5]".
template <class TBufType>
std::wstring toString(const TBufType& e) {
  return HeadText(e.Position(), e.value, kSinglePrecision<TBufType>);
}

}  // namespace EventHelper
}  // namespace SelfCheck
