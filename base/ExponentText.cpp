// QOR::TidyExponent: the short exponent of the tables' number texts.
#include "base/ExponentText.h"

#include <regex>

namespace QOR {

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

}  // namespace QOR
