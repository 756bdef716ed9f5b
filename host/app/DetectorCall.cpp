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

std::wstring CallWithArgument(const std::wstring& call, int position, double value) {
  size_t from = call.find(L'(');
  for (int i = 0; i < position && from != std::wstring::npos; ++i) from = call.find(L',', from + 1);
  if (from == std::wstring::npos || position < 1) return call;
  size_t to = call.find(L',', from + 1);
  if (to == std::wstring::npos) to = call.rfind(L')');
  if (to == std::wstring::npos || to < from) return call;
  wchar_t number[40];
  std::swprintf(number, 40, L" %.17g", value);
  return call.substr(0, from + 1) + number + call.substr(to);
}

int32_t EventsFound(host::DataDocument* data, ICalcEnumClass2* formulaClass, const std::wstring& call) {
  host::EventRunOptions options;
  options.formula = call;
  std::string output;
  std::wstring error;
  if (FAILED(host::RunEventFormula(data, formulaClass, options, &output, &error))) return -1;
  return static_cast<int32_t>(std::count(output.begin(), output.end(), '\n')) - 1;  // after the heading
}

double HighestHeightFound(host::DataDocument* data, ICalcEnumClass2* formulaClass, const std::wstring& call,
                          double below) {
  double found = 0.0;
  double missed = below;
  for (int step = 0; step < 40 && missed - found > missed * 1e-4; ++step) {
    const double middle = (found + missed) / 2;
    (EventsFound(data, formulaClass, CallWithHeight(call, middle)) > 0 ? found : missed) = middle;
  }
  return found;
}

}  // namespace ondara_host
