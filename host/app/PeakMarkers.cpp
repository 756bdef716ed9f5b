// The peak markers the module attached to the analysis channel.
#include "host/app/PeakMarkers.h"

#include "host/app/EventRun.h"
#include "host/common/MessageText.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>

namespace ondara_host {

namespace {

void PrintError(const std::string& utf8) {
  const std::string line = utf8 + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace

// The events of the objects the module attached to the channel: what the recording view draws
// as peak markers, evaluated from each object's stored formula.
int ReportMarkers(host::DataDocument* document, ICalcEnumClass2* formulaClass, int32_t channel) {
  int32_t markers = 0;
  std::map<int32_t, int32_t> perRecord;
  int32_t peaks = 0;
  for (const host::DataObject& object : document->Objects().Objects()) {
    if (std::find(object.channels.begin(), object.channels.end(), channel) == object.channels.end()) continue;
    ++markers;
    host::EventRunOptions options;
    options.formula = object.formula;
    std::string output;
    std::wstring error;
    const HRESULT hr = host::RunEventFormula(document, formulaClass, options, &output, &error);
    if (FAILED(hr)) {
      PrintError(host::Utf8FromWide(object.name) + ": " + host::Utf8FromWide(error));
      return 1;
    }
    std::fwrite(output.data(), 1, output.size(), stdout);
    std::istringstream lines(output);
    std::string line;
    std::getline(lines, line);  // heading: record, tick, fraction, value, kind, ...
    while (std::getline(lines, line)) {
      std::istringstream cells(line);
      std::string cell[5];
      for (std::string& c : cell) std::getline(cells, c, '\t');
      if (cell[4] != "2") continue;  // stimuli are not peaks
      ++perRecord[std::stoi(cell[0])];
      ++peaks;
    }
  }
  int32_t records = 0;
  document->GetRecordCount(&records);
  if (markers == 0) std::printf("no peak markers are attached to channel %d\n", channel + 1);
  std::printf("found %d events in %d record%s\n", peaks, records, records == 1 ? "" : "s");
  return 0;
}

}  // namespace ondara_host
