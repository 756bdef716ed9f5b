// Finding a detector's call in the analysis's formulas and running it alone.
#include "host/app/DetectorCall.h"

#include "host/app/EventRun.h"

#include <algorithm>
#include <cwchar>

namespace ondara_host {

std::wstring DetectorCall(host::DataDocument& data, const wchar_t* name) {
  for (const host::DataObject& object : data.Objects().Objects()) {
    const std::wstring& formula = object.formula;
    const size_t at = formula.find(name);
    int depth = 0;
    for (size_t i = at; at != std::wstring::npos && i < formula.size(); ++i) {
      if (formula[i] == L'(') ++depth;
      if (formula[i] == L')' && --depth == 0) return formula.substr(at, i + 1 - at);
    }
  }
  return std::wstring();
}

std::wstring CallWithHeight(const std::wstring& call, double height) {
  const size_t first = call.find(L',');
  const size_t second = first == std::wstring::npos ? first : call.find(L',', first + 1);
  if (second == std::wstring::npos) return call;
  wchar_t number[40];
  std::swprintf(number, 40, L" %.17g", height);
  return call.substr(0, first + 1) + number + call.substr(second);
}

int32_t EventsFound(host::DataDocument* data, ICalcEnumClass2* formulaClass, const std::wstring& call) {
  host::EventRunOptions options;
  options.formula = call;
  std::string output;
  std::wstring error;
  if (FAILED(host::RunEventFormula(data, formulaClass, options, &output, &error))) return -1;
  return static_cast<int32_t>(std::count(output.begin(), output.end(), '\n')) - 1;  // after the heading
}

}  // namespace ondara_host
