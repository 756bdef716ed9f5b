// Finding a detector's call in the analysis's formulas and running it alone.
#include "host/app/DetectorCall.h"

#include "host/app/EventRun.h"

#include <algorithm>
#include <cwchar>
#include <vector>

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
  // The commas and the closing parenthesis of the call itself, not of the calls nested in it.
  std::vector<size_t> ends;
  int depth = 0;
  for (size_t i = 0; i < call.size(); ++i) {
    if (call[i] == L'(' && depth++ == 0) ends.push_back(i);
    else if (call[i] == L')' && --depth == 0) ends.push_back(i);
    else if (call[i] == L',' && depth == 1) ends.push_back(i);
    if (depth == 0 && !ends.empty()) break;
  }
  if (position < 1 || static_cast<size_t>(position) + 1 >= ends.size()) return call;
  const size_t from = ends[static_cast<size_t>(position)], to = ends[static_cast<size_t>(position) + 1];
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
