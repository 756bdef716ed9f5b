// ZR::CellFormat: how the Table View writes one measurement's numbers (significant figures),
// and the exponent tidying of its number texts.
#pragma once

#include "base/ExponentText.h"
#include "base/String.h"

#include <cstdint>
#include <string>

namespace ZR {

// Stream precision outside 1..17 is meaningless for a double (0 acts as 6, large values print
// digits the value does not have), so stored and given counts are brought into this range.
inline constexpr int32_t kMinSignificantFigures = 1;
inline constexpr int32_t kMaxSignificantFigures = 17;
inline constexpr int32_t kDefaultSignificantFigures = 4;

int32_t ClampSignificantFigures(int32_t figures) noexcept;

// Measurements shown as whole numbers: the event number (1) and its date and time (58).
bool IsWholeNumberMeasurement(int32_t measurement) noexcept;

struct CellFormat {
  int32_t significantFigures = kDefaultSignificantFigures;
  int32_t measurementIndex = -1;  // -1 until the entry is filled

  // The cell text of a value: " " for infinity and not-a-number (so for the no-value marker);
  // whole numbers (halves away from zero, saturating) for measurements 1 and 58; otherwise
  // exactly significantFigures digits in general notation (classic locale), trailing zeros kept,
  // a point without a digit after it dropped and the exponent tidied.
  QOR::String Format(double value) const;
};

// The cell texts' exponent tidying, shared with the grid's shortened numbers.
using QOR::TidyExponent;

}  // namespace ZR
