// The analyze command's options: what each one asks of the run, read from the command line.
#pragma once

#include "host/app/AnalyzeInputs.h"
#include "host/app/ChannelCalcRun.h"
#include "host/app/ClockOption.h"
#include "host/app/ViewShow.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace ondara_host {

struct AnalyzeArguments {
  std::wstring recording;
  double rate = 0.0;
  // Settings in the order they are given to the document: the channel first, since the
  // channel's own settings are those of its group.
  std::vector<std::pair<int32_t, std::wstring>> settings;
  int32_t cancelAt = -1;
  bool table = false;
  bool help = false;
  // Above 0: the recording is sampled into an empty data file in batches of this many ticks
  // while the document analyses it; otherwise "ZR_Analyze" analyses the finished recording.
  int32_t onlineBatch = 0;
  // The file the data file's documents are opened from (when it exists) and saved to.
  std::wstring documents;
  // The module's calculated channel added after the analysis, when asked for.
  host::ChannelCalcRequest calc;
  bool withCalc = false;
  ViewShowRequest show;
  // The shown views stay open, and the host runs its message loop, until the user closes them.
  bool keepOpen = false;
  bool calcDialog = false;
  bool settingsDialog = false;
  // A settings dialog script played before the analysis; "-" opens the dialog for a person.
  std::wstring settingsScript;
  // The host's selection in the first record, in seconds from its start; none when empty.
  std::pair<double, double> selection{0.0, 0.0};
  bool select = false;
  host::ClockStart clock;
  bool withClock = false;
  // Where the analysis channel comes from, for a channel the recording lacks.
  ChannelSource channelSource;
};

// Reads the options after "analyze"; false after the line (or the usage) saying what is wrong.
bool ParseAnalyzeArguments(int argc, wchar_t** argv, AnalyzeArguments* args);

// The command's usage text, as --help prints it.
void PrintAnalyzeUsage(std::FILE* stream);

}  // namespace ondara_host
