// The labels of time scales: filling a TimeOfDay for display from a scale's time base, and its text
// in the user's time and decimal separators and 12- or 24-hour setting.
#pragma once

#include <cstdint>

#include "base/TimeOfDay.h"

namespace QOR {

class LocaleInfo;

// The clock of a time scale: its time of day in seconds and the offset (seconds, possibly not a
// number) added for universal time.
struct ClockTimeBase {
  double timeOfDay = 0.0;
  double offset = 0.0;
};

// Sets the record's value flags and a format word for its kind (1 and 2 elapsed, 3 a time of day,
// 12-hour when the user's locale is and the time is not universal) and sets it to seconds; without
// the caller flag a time of day is counted from base's time of day (and offset for universal
// time), an elapsed time of kind 1 from reference. Any other kind leaves the time as it was.
void FormatTimeOfDay(const ClockTimeBase& base, TimeOfDay& record, uint32_t valueFlags, const ClockTimeBase& reference,
                     bool callerFlag, double seconds, const LocaleInfo& locale);
void FormatTimeOfDay(const ClockTimeBase& base, TimeOfDay& record, uint32_t valueFlags, const ClockTimeBase& reference,
                     bool callerFlag, double seconds);

// The label of a record in one static buffer of 31 units (at most 30 characters, cut beyond),
// overwritten by every call; numbers in the global locale, separators and AM/PM texts of locale.
const wchar_t* FormatTimeText(const TimeOfDay& record, const LocaleInfo& locale);
const wchar_t* FormatTimeText(const TimeOfDay& record);

}  // namespace QOR
