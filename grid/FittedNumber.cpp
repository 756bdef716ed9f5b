// FitNumber: a cell's number cut to fewer significant figures rather than to fewer characters.
#include "grid/FittedNumber.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <regex>

#include "base/ExponentText.h"

namespace TVF_Grid {

namespace {

int TextWidth(HDC dc, const std::wstring& text) {
  SIZE size{};
  if (text.empty() || !GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) return 0;
  return size.cx;
}

}  // namespace

bool IsNumberText(const std::wstring& text) {
  // Compiled once: every drawn cell that does not fit asks.
  static const std::wregex kNumber(L"[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?", std::regex_constants::ECMAScript);
  return std::regex_match(text, kNumber);
}

int SignificantFigures(const std::wstring& text) {
  int figures = 0;
  for (const wchar_t c : text) {
    if (c == L'e' || c == L'E') break;
    if (!std::iswdigit(c)) continue;
    if (figures > 0 || c != L'0') ++figures;
  }
  return figures > 0 ? figures : 1;
}

std::wstring RoundedNumberText(const std::wstring& text, int figures) {
  return RoundedNumber(std::wcstod(text.c_str(), nullptr), figures);
}

std::wstring RoundedNumber(double value, int figures) {
  wchar_t buffer[64] = {};
  std::swprintf(buffer, sizeof buffer / sizeof buffer[0], L"%#.*g", figures < 1 ? 1 : figures, value);
  return QOR::TidyExponent(buffer);
}

std::wstring FitNumber(HDC dc, const std::wstring& text, int width, double value) {
  if (TextWidth(dc, text) <= width) return text;
  if (!std::isfinite(value)) value = std::wcstod(text.c_str(), nullptr);
  for (int figures = SignificantFigures(text) - 1; figures >= 1; --figures) {
    std::wstring shorter = RoundedNumber(value, figures);
    if (TextWidth(dc, shorter) <= width) return shorter;
  }
  // At least one mark, cut by the cell's clipping: an empty cell would read as no value. A cell
  // is never wider than a screen: the bound only guards a font that measures "#" as 0.
  std::wstring marks(1, L'#');
  while (marks.size() < 256 && TextWidth(dc, marks + L'#') <= width) marks += L'#';
  return marks;
}

}  // namespace TVF_Grid
