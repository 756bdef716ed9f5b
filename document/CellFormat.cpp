// ZR::CellFormat: number texts of the Table View's cells.
#include "document/CellFormat.h"

#include "enumerators/framework/HostHelpers.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace ZR {

int32_t ClampSignificantFigures(int32_t figures) noexcept {
  if (figures < kMinSignificantFigures) return kMinSignificantFigures;
  if (figures > kMaxSignificantFigures) return kMaxSignificantFigures;
  return figures;
}

bool IsWholeNumberMeasurement(int32_t measurement) noexcept { return measurement == 1 || measurement == 58; }

QOR::String CellFormat::Format(double value) const {
  if (!std::isfinite(value)) return QOR::String(L" ");
  if (IsWholeNumberMeasurement(measurementIndex))
    return QOR::String(ExtLib::LongToText(ExtLib::RoundToLong(value)).c_str());
  std::wostringstream out;
  out.imbue(std::locale::classic());
  out.precision(ClampSignificantFigures(significantFigures));
  out.setf(std::ios_base::showpoint);
  out << value;
  return QOR::String(TidyExponent(out.str()).c_str());
}

}  // namespace ZR
