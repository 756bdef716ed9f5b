// ZR::CellFormat: number texts of the Table View's cells.
#include "document/CellFormat.h"

#include "enumerators/framework/HostHelpers.h"

#include <cmath>
#include <locale>
#include <regex>
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

std::wstring TidyExponent(const std::wstring& written) {
  // One figure with the show-point flag writes "8.e+01": a point with no digit after it goes,
  // as a final one does.
  std::wstring text = written;
  const size_t point = text.find(L'.');
  if (point != std::wstring::npos && (point + 1 == text.size() || text[point + 1] == L'e'))
    text.erase(point, 1);
  // Compiled once: cell texts are made for every cell the grid draws.
  static const std::wregex kNumber(L"(-?\\d*(?:\\.\\d+)?)(?:(e[+-])0*(\\d*))?", std::regex_constants::ECMAScript);
  std::wsmatch parts;
  if (!std::regex_match(text, parts, kNumber)) return written;
  std::wstring result = parts[1].str();
  if (parts[3].length() == 0) return result;
  if (parts[2].matched && parts[2].str() == L"e-") result += L"e-";
  else if (parts[2].matched) result += L"e";
  return result + parts[3].str();
}

}  // namespace ZR
