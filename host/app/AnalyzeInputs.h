// The analyze command's inputs: reading the values that name things, what it says of an input it
// cannot take (one line naming the input and what is wrong with it), and the checks it makes
// before it analyses.
#pragma once

#include "hostapi/DocumentSettings.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ondara_host {

// The number of an analysis type given by name (any case) or number 0 to 5; -1 for neither.
int ParseType(const std::wstring& text);

// The text of a setting of the document; empty when it has none.
std::wstring DocumentSettingText(IDocumentSettingsScript* settings, int32_t id);

// "setting ID = 'VALUE': WHY", WHY being the document's words for the refusal, or that there is
// no such setting.
std::string SettingRefusal(IDocumentSettingsScript* settings, int32_t id, const std::wstring& value);

// "--type: 'VALUE' is not an analysis type: ...", listing the six names and their numbers.
std::string UnknownTypeRefusal(const std::wstring& value);

// For a --channel value that names no analysis channel: that channels count from 1, or up to
// how far they go; empty when the value is one.
std::string ChannelOptionRefusal(const std::wstring& value);

// For a --rate value that is no sampling rate: what a rate is, and the plain number meant when the
// value has thousands separators or a unit ("20,000", "20k", "20 kHz"); empty for a rate.
std::string RateOptionRefusal(const std::wstring& value);

// Where the analysis channel came from: --set 2001 or --channel, whichever was given later, else
// the documents file.
struct ChannelSource {
  std::optional<std::wstring> setValue;
  bool option = false;
  std::wstring documents;
};
// The analysis channel the document ended with (from the options or the documents file) into
// channel; empty when the recording has it, else the line naming where it came from.
std::string AnalysisChannelRefusal(IDocumentSettingsScript* settings, const ChannelSource& source, int32_t channels,
                                   int32_t* channel);

// Whether a file the run writes (the documents file, an output) can later be written at path:
// empty when it can, else the words why not ("its folder does not exist"). Neither makes nor
// changes the file: another run may be reading it meanwhile.
std::string OutputFileProblem(const std::wstring& path);

// Whether the folder a run writes pictures into is there and takes new files, or can be made
// (it is made and removed again): empty when so, else the words why not.
std::string OutputFolderProblem(const std::wstring& path);

// Whether the host can open windows; the line that says it cannot, and how to get a display.
bool DisplayOpens();
extern const char kNoDisplayLine[];

}  // namespace ondara_host
