// The module's chains run through the host's formula class on documents made in the test: the fixture that loads
// the module once per suite, and the events text read back by heading.
#pragma once

#include "host/app/EventRun.h"
#include "host/app/HostFramework.h"
#include "host/app/ModuleLoader.h"
#include "host/data/DataDocument.h"
#include "host/data/RecordingReader.h"
#include "host/formula/FormulaEnumClass.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace host {

inline HostPtr<ICalcEnumClass2>* gFormula = nullptr;

// One output line of the events text: its fields by heading name.
using Event = std::map<std::string, std::string>;

inline std::vector<Event> ParseEvents(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  std::getline(in, line);
  std::vector<std::string> names;
  std::istringstream heading(line);
  for (std::string n; std::getline(heading, n, '\t');) names.push_back(n);
  std::vector<Event> events;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    Event e;
    size_t i = 0;
    for (std::string f; std::getline(fields, f, '\t') && i < names.size(); ++i) e[names[i]] = f;
    events.push_back(e);
  }
  return events;
}

inline int Int(const Event& e, const char* name) { return std::atoi(e.at(name).c_str()); }

class FormulaChainFixture : public ::testing::Test {
 protected:
  // Once per test program: every suite on this fixture shares the loaded module.
  static void SetUpTestSuite() {
    if (gFormula) return;
    if (FAILED(ondara_host::EnsureHostFramework())) return;
    if (FAILED(ondara_host::LoadAndRegisterModule(ondara_host::PathBesideExecutable(L"Ondara.dll").c_str()))) return;
    gFormula = new HostPtr<ICalcEnumClass2>;
    RegisterFormulaEnumClassWithFramework(gFormula);
  }
  void SetUp() override { ASSERT_TRUE(gFormula && *gFormula) << "Ondara.dll or Lumo.dll did not load"; }

  static HostPtr<DataDocument> Document(Recording recording) {
    HostPtr<DataDocument> document = DataDocument::Create(std::move(recording));
    document->SetFormulaClass(gFormula->Get());
    return document;
  }
  // A committed recording, named from the repository's top folder.
  static HostPtr<DataDocument> RealDocument(const char* file) {
    return Document(ReadRecordingFile(testsupport::SourcePath(file), RecordingReadOptions()));
  }
  static HostPtr<DataDocument> SamplesDocument(const std::vector<float>& samples, double period) {
    Recording recording;
    recording.channels.push_back({L"Signal", L"", L""});
    RecordData record = MakeEmptyRecord(1, period, true);
    record.samples[0]->Append(samples.data(), static_cast<int32_t>(samples.size()));
    record.length = static_cast<int32_t>(samples.size());
    recording.records.push_back(std::move(record));
    return Document(std::move(recording));
  }

  // The events offline; the same text online in blocks of 37 and 1000 ticks.
  static std::string RunEverywhere(DataDocument* document, const std::wstring& formula) {
    const std::string offline = Run(document, formula, 0);
    for (const int32_t block : {37, 1000}) EXPECT_EQ(Run(document, formula, block), offline) << block;
    return offline;
  }
  static std::string Run(DataDocument* document, const std::wstring& formula, int32_t online) {
    EventRunOptions options;
    options.formula = formula;
    options.onlineBlock = online;
    std::string output;
    std::wstring error;
    const HRESULT hr = RunEventFormula(document, gFormula->Get(), options, &output, &error);
    EXPECT_EQ(hr, S_OK) << std::string(error.begin(), error.end());
    return output;
  }
};

}  // namespace host
