// Time-scale labels from TimeOfDay records.
#include "base/TimeText.h"

#include <cmath>
#include <iomanip>
#include <string>

#include "base/LocaleInfo.h"
#include "base/OStringStream.h"
#include "base/StrStream.h"

namespace QOR {

void FormatTimeOfDay(const ClockTimeBase& base, TimeOfDay& record, uint32_t valueFlags,
                     const ClockTimeBase& reference, bool callerFlag, double seconds, const LocaleInfo& locale) {
  record.valueFlags = valueFlags;
  record.format = 0;
  const uint32_t kind = valueFlags & kTimeKindMask;
  if (kind == kTimeKindElapsed || kind == kTimeKindElapsedPlain) {
    record.format = kTimeFormatElapsed;
  } else if (kind == kTimeKindOfDay) {
    if (!locale.Uses24Hour() && !(valueFlags & kTimeUniversal)) record.format |= kTimeFormat12Hour;
  } else {
    return;
  }
  double time = seconds;
  if (!callerFlag && kind == kTimeKindOfDay) {
    time += base.timeOfDay;
    if ((valueFlags & kTimeUniversal) && std::isfinite(base.offset)) time += base.offset;
  } else if (!callerFlag && kind == kTimeKindElapsed) {
    time += std::isfinite(base.offset) && std::isfinite(reference.offset)
                ? (base.timeOfDay + base.offset) - (reference.timeOfDay + reference.offset)
                : base.timeOfDay - reference.timeOfDay;
  }
  record.Set(time);
}

void FormatTimeOfDay(const ClockTimeBase& base, TimeOfDay& record, uint32_t valueFlags,
                     const ClockTimeBase& reference, bool callerFlag, double seconds) {
  FormatTimeOfDay(base, record, valueFlags, reference, callerFlag, seconds, LocaleInfo::Get());
}

namespace {

// value in fixed notation with the given decimals, in the global locale.
std::wstring Fixed(double value, int32_t precision) {
  OStringStream text;
  text << std::fixed << std::setprecision(precision) << value;
  const String written = text.str();
  return std::wstring(written.GetText(), written.Length());
}

// Trailing zeros after the decimal separator go, leaving one digit after it; with dropWholeZero a
// lone "0" fraction goes too, separator and all.
void TrimFraction(std::wstring& text, wchar_t decimal, bool dropWholeZero) {
  const size_t point = text.find(decimal);
  if (point == std::wstring::npos) return;
  size_t end = text.size();
  while (end > point + 2 && text[end - 1] == L'0') --end;
  text.resize(end);
  if (dropWholeZero && end == point + 2 && text[point + 1] == L'0') text.resize(point);
}

// Writes the hours and minutes of a record shown by its fields; true when a separator follows the
// minutes.
bool WriteFields(basic_ostrstream<wchar_t>& out, const TimeOfDay& record, uint32_t format, wchar_t timeSeparator) {
  if (record.negative && (record.seconds > 1e-6 || record.minutes != 0 || record.hours != 0)) out << L'-';
  int32_t h = record.hours;
  if (format & kTimeFormatModulo24) h %= 24;
  if (format & kTimeFormat12Hour) {
    if (h >= 13 && h <= 23) h -= 12;
    else if (h == 0) h = 12;
  }
  const auto twoDigits = [&](int32_t value) { out << std::setw(2) << std::setfill(L'0') << value; };
  if ((format & kTimeFormatAllFields) || !(format & kTimeFormatElapsed)) {
    out << h << timeSeparator;
    twoDigits(record.minutes);
    out << timeSeparator;
    return true;
  }
  const bool letters = (format & kTimeFormatLetters) != 0;
  if (record.hours != 0) out << h << (letters ? L'h' : timeSeparator);
  if (record.hours == 0 && record.minutes == 0) return false;
  if (record.hours != 0) twoDigits(record.minutes);
  else out << record.minutes;
  out << (letters ? L'm' : timeSeparator);
  return true;
}

}  // namespace

const wchar_t* FormatTimeText(const TimeOfDay& record, const LocaleInfo& locale) {
  static wchar_t buffer[31];
  buffer[0] = L'\0';
  basic_ostrstream<wchar_t> out(buffer, 31);
  const wchar_t decimal = locale.Decimal()[0];
  uint32_t format = record.format;
  if (record.valueFlags & kTimeTotalSeconds) {
    std::wstring text = Fixed(record.seconds, record.precision);
    if (!(format & kTimeFormatKeepZeros)) TrimFraction(text, decimal, false);
    out << text;
  } else {
    if (format & kTimeFormatElapsed) format &= ~(kTimeFormatModulo24 | kTimeFormat12Hour);
    else format |= kTimeFormatModulo24;
    const uint32_t kind = record.valueFlags & kTimeKindMask;
    const bool milliseconds = (record.valueFlags & kTimeMilliseconds) && kind != kTimeKindOfDay;
    const bool plain = !milliseconds && (record.valueFlags & kTimePlainSeconds);
    double value = 0.0;
    if (milliseconds) {
      value = record.ExactValue((format & kTimeFormatModulo24) != 0) * 1000.0;
    } else if (plain) {
      value = record.ExactValue((format & kTimeFormatModulo24) != 0);
    } else {
      if (WriteFields(out, record, format, locale.TimeSeparator()[0]) && record.seconds < 9.999999) out << L'0';
      value = record.seconds > 1e-6 ? record.seconds : 0.0;
    }
    std::wstring text = Fixed(value, record.precision);
    if (!(format & kTimeFormatKeepZeros)) TrimFraction(text, decimal, !(format & kTimeFormatAllFields));
    out << text;
    if (format & kTimeFormatLetters) out << L's';
    if (format & kTimeFormat12Hour) out << L' ' << (record.hours % 24 < 12 ? locale.AMText() : locale.PMText());
    if (format & kTimeFormatUnits) {
      const bool secondsOnly = (format & kTimeFormatElapsed) && record.hours == 0 && record.minutes == 0;
      if (milliseconds) out << L" ms";
      else if (plain || secondsOnly) out << L" s";
    }
    if ((format & kTimeFormatAllowUT) && (record.valueFlags & kTimeUniversal) && !(format & kTimeFormatElapsed))
      out << L" UT";
  }
  const std::streamsize written = out.pcount();
  buffer[written < 30 ? written : 30] = L'\0';
  return buffer;
}

const wchar_t* FormatTimeText(const TimeOfDay& record) { return FormatTimeText(record, LocaleInfo::Get()); }

}  // namespace QOR
