// The rows of an analysis of action potentials at other settings, judged against the trace.
#include "host/app/JudgedRows.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/ChannelHeightText.h"
#include "host/app/ChannelNoise.h"
#include "host/app/DetectorCall.h"
#include "host/app/EventRun.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace ondara_host {

namespace {

// The outermost of the detector calls the whole formula holds: the width filter's, around the peak
// detector, where it runs.
constexpr const wchar_t* kCalls[] = {L"cappwf(", L"cappeakdet("};

// The analysis's whole formula (the object setting 2025 names) with `call` in place of its own
// width filter or peak detector; empty where it has neither.
std::wstring WholeFormulaWith(const AnalysisFindings& f, const std::wstring& call) {
  const auto id = static_cast<int32_t>(f.SettingNumber(kCalculationObjectSetting));
  for (const host::DataObject& object : f.data->Objects().Objects()) {
    if (object.id != id) continue;
    for (const wchar_t* name : kCalls) {
      const std::wstring own = DetectorCall(*f.data, name);
      const size_t at = own.empty() ? std::wstring::npos : object.formula.find(own);
      if (at != std::wstring::npos) return std::wstring(object.formula).replace(at, own.size(), call);
    }
  }
  return std::wstring();
}

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::istringstream in(line);
  for (std::string cell; std::getline(in, cell, '\t');) cells.push_back(cell);
  return cells;
}

// Each calculation record's (kind 3) resting level and amplitude, the table's RMP and APA
// (measurements 2 and 5); none where the output lacks those columns.
struct Row {
  double rest = 0.0, amplitude = 0.0;
};

std::vector<Row> ReadRows(const std::string& output) {
  std::istringstream lines(output);
  std::string line;
  std::getline(lines, line);
  const std::vector<std::string> heading = Cells(line);
  const auto column = [&](const char* name) {
    return static_cast<size_t>(std::find(heading.begin(), heading.end(), name) - heading.begin());
  };
  const size_t kind = column("kind"), rest = column("m2"), amplitude = column("m5");
  std::vector<Row> rows;
  if (std::max({kind, rest, amplitude}) >= heading.size()) return rows;
  while (std::getline(lines, line)) {
    const std::vector<std::string> cells = Cells(line);
    if (cells.size() != heading.size() || cells[kind] != "3") continue;
    // A measurement without a value reads as NaN, which no test below passes.
    const auto number = [&](size_t i) { return cells[i].empty() ? NAN : std::strtod(cells[i].c_str(), nullptr); };
    rows.push_back({number(rest), number(amplitude)});
  }
  return rows;
}

}  // namespace

JudgedRows JudgeRows(const AnalysisFindings& f, const std::wstring& call) {
  JudgedRows judged;
  host::EventRunOptions options;
  options.formula = WholeFormulaWith(f, call);
  std::string output;
  std::wstring error;
  if (options.formula.empty() || FAILED(host::RunEventFormula(f.data, f.formulaClass, options, &output, &error)))
    return judged;
  const host::Recording& recording = f.data->Data();
  const size_t channel = static_cast<size_t>(f.channel);
  const double reach = NoiseReach(recording, channel);
  const double rest = ChannelLongestLevel(recording, channel, ChannelNoiseSd(recording, channel));
  // The trace's reach above the rest: from the lowest sample by its span.
  const double lowest = ChannelLowest(recording, channel);
  const double above = lowest + ChannelSpan(recording, channel) - rest;
  const std::vector<Row> rows = ReadRows(output);
  judged.rows = static_cast<int32_t>(rows.size());
  for (const Row& row : rows)
    if (row.amplitude > reach && std::fabs(row.rest - rest) <= above / 2) ++judged.events;
  return judged;
}

}  // namespace ondara_host
