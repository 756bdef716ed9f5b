// The peak markers the module attached to the analysis channel.
#include "host/app/PeakMarkers.h"

#include "host/app/EventRecordFormat.h"
#include "host/app/EventRun.h"
#include "host/common/MessageText.h"

#include <algorithm>

namespace ondara_host {

namespace {

// The events one object's records mark (after the heading: record, tick, fraction, value,
// kind, ...), one per row of the analysis's table. A calculation record (kind 3) is one event,
// also where it stands for a stimulus that no response followed. A stimulus (kind 1) is one
// event together with the peaks (kind 2) after it in its record, as a population spike's three
// turning points; a peak without a stimulus before it in its record is an event of its own.
int32_t CountEvents(const std::string& records) {
  int32_t events = 0;
  std::string stimulusRecord;  // the record of the last stimulus, empty before the first
  for (const host::EventCells& e : host::ReadEventLines(records)) {
    if (e.kind == "1") stimulusRecord = e.record;
    if (e.kind == "1" || e.kind == "3" || (e.kind == "2" && e.record != stimulusRecord)) ++events;
  }
  return events;
}

std::string EventsFound(int32_t events) {
  return std::to_string(events) + (events == 1 ? " event" : " events");
}

}  // namespace

PeakMarkers ReadPeakMarkers(host::DataDocument* document, ICalcEnumClass2* formulaClass, int32_t channel) {
  PeakMarkers markers;
  int32_t attached = 0;
  for (const host::DataObject& object : document->Objects().Objects()) {
    if (std::find(object.channels.begin(), object.channels.end(), channel) == object.channels.end()) continue;
    ++attached;
    host::EventRunOptions options;
    options.formula = object.formula;
    std::string output;
    std::wstring error;
    if (FAILED(host::RunEventFormula(document, formulaClass, options, &output, &error))) {
      markers.text = host::Utf8FromWide(object.name) + ": " + host::Utf8FromWide(error) + "\n";
      markers.failed = true;
      return markers;
    }
    markers.text += output;
    // Objects attached together mark the same events (the stimuli, and the responses measured).
    markers.events = std::max(markers.events, CountEvents(output));
  }
  document->GetRecordCount(&markers.records);
  if (attached == 0) markers.text += "no peak markers are attached to channel " + std::to_string(channel + 1) + "\n";
  markers.text += "found " + EventsFound(markers.events) + " in " + std::to_string(markers.records) +
                  (markers.records == 1 ? " record\n" : " records\n");
  return markers;
}

std::string EventOptionRefusal(int32_t event, const PeakMarkers& markers) {
  if (markers.failed || event <= markers.events) return std::string();
  return "--event: '" + std::to_string(event) + "': the analysis found " + EventsFound(markers.events);
}

}  // namespace ondara_host
