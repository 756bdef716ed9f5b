// Event records as TAB-separated text: the host reads the module's records by their size,
// since each stage's record begins with the whole record of the stage before it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// The heading line (without line end) for records of recordSize bytes: record, tick, fraction,
// value, kind, the further fields by name, and for full measurement records m0 to m58.
std::string EventHeading(int32_t recordSize);

// One record as a line (without line end); fields without a value are empty cells.
std::string FormatEvent(int32_t record, const unsigned char* bytes, int32_t recordSize);

// The first cells of a line FormatEvent wrote, as written; empty where the line has none.
struct EventCells {
  std::string record, tick, fraction, value, kind;
};

// The records of a text of such lines (a heading line first, then one line per record).
std::vector<EventCells> ReadEventLines(const std::string& text);

}  // namespace host
