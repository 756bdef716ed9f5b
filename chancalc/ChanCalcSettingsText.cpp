// The channel calculation's settings text: writing and reading its eight TAB-separated fields.
#include "chancalc/ChanCalcSettingsText.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace ZR::ChanCalc {

namespace {

constexpr uint32_t kVersion = 1;
constexpr uint32_t kClosingMarker = 777;

// "%g" with six digits; the C runtime may write three exponent digits ("1e-005"), the text keeps
// two unless more are needed.
std::wstring FloatText(float value) {
  std::wostringstream out;
  out.imbue(std::locale::classic());
  out.precision(6);
  out << static_cast<double>(value);
  std::wstring text = out.str();
  const size_t e = text.find_first_of(L"eE");
  if (e == std::wstring::npos) return text;
  const size_t digits = text.find_first_not_of(L"+-", e + 1);
  while (digits != std::wstring::npos && text.size() - digits > 2 && text[digits] == L'0')
    text.erase(digits, 1);
  return text;
}

bool ReadScale(std::wistream& in, float& value) {
  float read = 0.0f;
  if (!(in >> read) || !std::isfinite(read)) return false;
  value = read;
  return true;
}

bool ReadInRange(std::wistream& in, int32_t low, int32_t high, int32_t& value) {
  int32_t read = 0;
  if (!(in >> read) || read < low || read > high) return false;
  value = read;
  return true;
}

}  // namespace

std::wstring FormatSettingsText(const SettingsValues& values) {
  std::wostringstream out;
  out.imbue(std::locale::classic());
  out << kVersion << L'\t' << values.parameterId << L'\t' << FloatText(values.scaleTop) << L'\t'
      << FloatText(values.scaleBottom) << L'\t' << values.decimalPlaces << L'\t'
      << (values.autoScale ? 1 : 0) << L'\t' << values.outputChannel << L'\t' << kClosingMarker;
  return out.str();
}

bool ParseSettingsText(const wchar_t* text, SettingsValues& values) {
  std::wistringstream in(text ? text : L"");
  in.imbue(std::locale::classic());
  uint32_t version = 0;
  int32_t autoScale = 0;
  uint32_t marker = 0;
  if (!(in >> version)) return false;
  if (!ReadInRange(in, 0, kLastParameterId, values.parameterId)) return false;
  if (!ReadScale(in, values.scaleTop) || !ReadScale(in, values.scaleBottom)) return false;
  if (!ReadInRange(in, 0, kMaxDecimalPlaces, values.decimalPlaces)) return false;
  if (!ReadInRange(in, 0, 1, autoScale)) return false;
  values.autoScale = autoScale != 0;
  int32_t channel = 0;  // a failed extraction writes 0, so the field is read aside first
  if (!(in >> channel)) return false;
  values.outputChannel = channel;
  return (in >> marker) && marker == kClosingMarker;
}

}  // namespace ZR::ChanCalc
