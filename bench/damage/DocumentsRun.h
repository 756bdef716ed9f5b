// The part of an analyze run that reads and writes a documents file, in this process: the
// stand-in host opens the file's documents over a recording as `analyze --documents` does,
// refuses what the run refuses, and saves the documents back.
#pragma once

#include "host/common/HostPtr.h"
#include "host/data/Recording.h"
#include "hostapi/CalcEnumClass.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sweep {

struct RunResult {
  bool refused = false;
  std::string refusal;       // the run's one line saying why; empty: none
  std::string messages;      // lines of message boxes answered during the run
  std::vector<uint8_t> saved;  // the documents file the run wrote back, when not refused
};

class DocumentsRun {
 public:
  // Registers the framework and loads Ondara.dll from beside the executable; false on failure.
  bool Start(host::Recording recording, const std::wstring& scratchFolder);

  // A new document with the settings given (id, text) saved as a documents file.
  std::vector<uint8_t> MakeFile(const std::vector<std::pair<int32_t, std::wstring>>& settings);

  // The run over the file's bytes: opened, checked as the analyze command checks the analysis
  // channel, saved back.
  RunResult Run(const std::vector<uint8_t>& file);

 private:
  host::Recording mRecording;
  host::HostPtr<ICalcEnumClass2> mFormulaClass;
  std::wstring mOpened;
  std::wstring mSaved;
};

}  // namespace sweep
