// Runs a formula through the stand-in host's formula engine over the module's own enumerator classes (linked
// into the test program) and hands the events back as rows of named cells.
#pragma once

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "enumerators/classlist/EnumeratorClassList.h"
#include "host/app/EventRun.h"
#include "host/app/HostFramework.h"
#include "host/data/DataDocument.h"
#include "host/formula/FormulaEnumClass.h"

namespace formularun {

using Row = std::map<std::string, std::string>;

inline host::HostPtr<ICalcEnumClass2> ModuleFormulaClass() {
  EXPECT_EQ(ondara_host::EnsureHostFramework(), S_OK);
  std::vector<host::HostPtr<IUnknown>> classes;
  for (ICalcEnumClass2* cls : CalcEnums::EnumeratorClassObjects()) classes.emplace_back(cls);
  return host::CreateFormulaEnumClass(0x00070000, [classes] { return classes; });
}

// The events of formula over document, offline (online 0) or fed in blocks of `online` ticks.
inline std::vector<Row> Run(host::DataDocument* document, const std::wstring& formula, int32_t online = 0) {
  const host::HostPtr<ICalcEnumClass2> formulaClass = ModuleFormulaClass();
  host::EventRunOptions options;
  options.formula = formula;
  options.onlineBlock = online;
  std::string output;
  std::wstring error;
  const HRESULT hr = host::RunEventFormula(document, formulaClass.Get(), options, &output, &error);
  EXPECT_EQ(hr, S_OK) << std::string(error.begin(), error.end());
  std::istringstream lines(output);
  std::string line;
  std::vector<std::string> names;
  std::vector<Row> rows;
  while (std::getline(lines, line)) {
    std::vector<std::string> cells;
    std::istringstream split(line);
    std::string cell;
    while (std::getline(split, cell, '\t')) cells.push_back(cell);
    if (line.size() && line.back() == '\t') cells.emplace_back();
    if (names.empty()) {
      names = cells;
      continue;
    }
    Row row;
    for (size_t i = 0; i < names.size() && i < cells.size(); ++i) row[names[i]] = cells[i];
    rows.push_back(row);
  }
  return rows;
}

}  // namespace formularun
