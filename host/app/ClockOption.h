// The recording's clock start as a user gives it to the analyze command (--clock): the time of
// day it started and, when known, its date.
#pragma once

#include <cstdint>
#include <string>

namespace host {

class DataDocument;
class HostDocument;

struct ClockStart {
  double secondsOfDay = 0.0;
  int64_t day = -1;  // days after 1970-01-01; negative without a date
};

// "HH:MM:SS[.fff]" or "YYYY-MM-DD HH:MM:SS[.fff]" (a 'T' may stand for the blank); false for
// anything else, a field out of its range or a date that does not exist.
bool ParseClockStart(const std::wstring& text, ClockStart* start);

// The recording started then, and the host document shows times with the clock time first:
// with the date and time of day when the date is known, else the time of day.
void ApplyClockStart(const ClockStart& start, DataDocument& data, HostDocument& hostDocument);

}  // namespace host
