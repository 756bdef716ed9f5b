// The --clock option: reading the start the user gives and handing it to the stand-in's
// documents.
#include "host/app/ClockOption.h"

#include "host/data/DataDocument.h"
#include "host/data/DocumentDisplayPart.h"
#include "host/data/HostDocument.h"

#include <cwchar>

namespace host {

namespace {

// Days after 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool ParseDate(const std::wstring& text, int64_t* day) {
  int year = 0, month = 0, date = 0, used = 0;
  if (std::swscanf(text.c_str(), L"%4d-%2d-%2d%n", &year, &month, &date, &used) != 3 ||
      static_cast<size_t>(used) != text.size() || text.size() != 10 || month < 1 || month > 12 || date < 1)
    return false;
  const int lengths[] = {31, IsLeap(year) ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (date > lengths[month - 1]) return false;
  *day = DaysFromCivil(year, month, date);
  return true;
}

bool ParseTimeOfDay(const std::wstring& text, double* seconds) {
  int hours = 0, minutes = 0, whole = 0, used = 0;
  if (text.size() < 8 || text[2] != L':' || text[5] != L':' ||
      std::swscanf(text.c_str(), L"%2d:%2d:%2d%n", &hours, &minutes, &whole, &used) != 3 || used != 8 ||
      hours > 23 || minutes > 59 || whole > 59)
    return false;
  double fraction = 0.0;
  if (text.size() > 8) {
    // Milliseconds at most, written with '.' whatever the locale.
    if (text[8] != L'.' || text.size() < 10 || text.size() > 12) return false;
    double scale = 0.1;
    for (size_t i = 9; i < text.size(); ++i, scale /= 10.0) {
      if (text[i] < L'0' || text[i] > L'9') return false;
      fraction += (text[i] - L'0') * scale;
    }
  }
  *seconds = hours * 3600.0 + minutes * 60.0 + whole + fraction;
  return true;
}

}  // namespace

bool ParseClockStart(const std::wstring& text, ClockStart* start) {
  const size_t gap = text.find_first_of(L" T");
  ClockStart read;
  if (gap != std::wstring::npos && !ParseDate(text.substr(0, gap), &read.day)) return false;
  if (!ParseTimeOfDay(gap == std::wstring::npos ? text : text.substr(gap + 1), &read.secondsOfDay)) return false;
  *start = read;
  return true;
}

void ApplyClockStart(const ClockStart& start, DataDocument& data, HostDocument& hostDocument) {
  data.SetStartTimeOfDay(start.secondsOfDay);
  data.SetStartDay(start.day);
  hostDocument.Display().Options().clockTime = true;
  hostDocument.Display().SetDisplayMode(start.day >= 0 ? kDisplayModeDateAndTime : kDisplayModeTimeOfDay);
}

}  // namespace host
