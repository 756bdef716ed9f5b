// The module's parser of times, dates, names and years.
#include "base/TimeGet.h"

#include <climits>
#include <cstdint>

namespace QOR {

namespace {

using Iter = std::istreambuf_iterator<wchar_t>;
using State = std::ios_base::iostate;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// An optional sign and decimal digits in [low, high] into value; failbit when no digit came, the
// number overflowed 32 bits or lies outside the range (value then untouched). eofbit when the input
// ends right after the field.
void ReadNumber(Iter& at, const Iter& end, State& state, int low, int high, int& value) {
  bool negative = false;
  if (at != end && (*at == L'+' || *at == L'-')) {
    negative = *at == L'-';
    ++at;
  }
  int64_t number = 0;
  bool digits = false;
  bool overflow = false;
  for (; at != end && IsDigit(*at); ++at) {
    digits = true;
    number = number * 10 + (*at - L'0');
    if (number > static_cast<int64_t>(INT_MAX) + 1) {
      overflow = true;
      number = static_cast<int64_t>(INT_MAX) + 1;
    }
  }
  if (negative) number = -number;
  if (at == end) state |= std::ios_base::eofbit;
  if (!digits || overflow || number > INT_MAX || number < low || number > high) {
    state |= std::ios_base::failbit;
    return;
  }
  value = static_cast<int>(number);
}

// The position of the name the input spells out in names (abbreviated and full alternating), the
// full one when both are complete; -1 with failbit when none is. Reads on while a name can match.
int ReadName(Iter& at, const Iter& end, State& state, const std::wstring* names, int count) {
  std::wstring read;
  while (at != end) {
    const wchar_t c = *at;
    bool possible = false;
    for (int i = 0; i < count && !possible; ++i)
      possible = names[i].size() > read.size() && names[i].compare(0, read.size(), read) == 0 &&
                 names[i][read.size()] == c;
    if (!possible) break;
    read.push_back(c);
    ++at;
  }
  if (at == end) state |= std::ios_base::eofbit;
  int found = -1;
  for (int i = 0; i < count; ++i)
    if (!read.empty() && names[i] == read) found = i;  // the later of a pair is the full name
  if (found < 0) state |= std::ios_base::failbit;
  return found;
}

void SkipSpaces(Iter& at, const Iter& end) {
  while (at != end && *at == L' ') ++at;
}

}  // namespace

time_get<wchar_t>::time_get(const Names& names, dateorder order, wchar_t dateSeparator, std::size_t refs)
    : std::time_get<wchar_t>(refs), mNames(names), mOrder(order), mDateSeparator(dateSeparator) {}

std::time_base::dateorder time_get<wchar_t>::do_date_order() const { return mOrder; }

Iter time_get<wchar_t>::do_get_time(Iter at, Iter end, std::ios_base& stream, State& state, std::tm* time) const {
  State read = std::ios_base::goodbit;
  int hours = 0, minutes = 0, seconds = 0;
  ReadNumber(at, end, read, 0, time->tm_mday == 0 ? INT_MAX : 23, hours);
  if (read == std::ios_base::goodbit && *at == L':') {
    ++at;
    ReadNumber(at, end, read, 0, 59, minutes);
  } else {
    read |= std::ios_base::failbit;
  }
  if (read == std::ios_base::eofbit) {
    // "h:mm" at the end of the input: a time of day only.
    if (hours > 23) read |= std::ios_base::failbit;
    else time->tm_hour = hours, time->tm_min = minutes;
    state |= read;
    return at;
  }
  const wchar_t decimalPoint = std::use_facet<std::numpunct<wchar_t>>(stream.getloc()).decimal_point();
  if (read == std::ios_base::goodbit && *at == decimalPoint) {
    // "m:ss" before a fraction the caller reads.
    time->tm_hour = 0;
    time->tm_min = hours;
    time->tm_sec = minutes;
    state |= read;
    return at;
  }
  if (read == std::ios_base::goodbit && *at == L':') {
    ++at;
    ReadNumber(at, end, read, 0, 59, seconds);
  } else {
    read |= std::ios_base::failbit;
  }
  if (!(read & std::ios_base::failbit)) time->tm_hour = hours, time->tm_min = minutes, time->tm_sec = seconds;
  state |= read;
  return at;
}

namespace {

enum class Field { kDay, kMonth, kYear, kMonthName };

}  // namespace

Iter time_get<wchar_t>::do_get_date(Iter at, Iter end, std::ios_base& stream, State& state, std::tm* time) const {
  State read = std::ios_base::goodbit;
  dateorder order = mOrder == no_order ? mdy : mOrder;
  const auto readField = [&](Field field) {
    switch (field) {
      case Field::kDay: ReadNumber(at, end, read, 1, 31, time->tm_mday); break;
      case Field::kMonth: {
        int month = 0;
        ReadNumber(at, end, read, 1, 12, month);
        if (month) time->tm_mon = month - 1;
        break;
      }
      case Field::kYear: at = do_get_year(at, end, stream, read, time); break;
      case Field::kMonthName: at = do_get_monthname(at, end, stream, read, time); break;
    }
  };
  const auto separator = [&] {
    SkipSpaces(at, end);
    if (at != end && (*at == L':' || *at == mDateSeparator || *at == L',' || *at == L'/')) ++at;
    SkipSpaces(at, end);
  };
  if (at != end) {
    if (!IsDigit(*at)) {
      order = mdy;
      readField(Field::kMonthName);
    } else {
      readField(order == mdy ? Field::kMonth : order == dmy ? Field::kDay : Field::kYear);
    }
  }
  separator();
  if (at != end) {
    if (!IsDigit(*at)) {
      if (order == mdy) {
        read |= std::ios_base::failbit;
      } else {
        if (order == ydm) order = ymd;
        readField(Field::kMonthName);
      }
    } else {
      readField(order == dmy || order == ymd ? Field::kMonth : Field::kDay);
    }
  }
  separator();
  if (at == end) {
    read |= std::ios_base::failbit;
  } else if (!IsDigit(*at)) {
    if (order == ydm) readField(Field::kMonthName);
    else read |= std::ios_base::failbit;
  } else {
    readField(order == ydm ? Field::kMonth : order == ymd ? Field::kDay : Field::kYear);
  }
  if (at == end) read |= std::ios_base::eofbit;
  state |= read;
  return at;
}

Iter time_get<wchar_t>::do_get_weekday(Iter at, Iter end, std::ios_base&, State& state, std::tm* time) const {
  const int found = ReadName(at, end, state, mNames.weekdays, 14);
  if (found >= 0) time->tm_wday = found / 2;
  return at;
}

Iter time_get<wchar_t>::do_get_monthname(Iter at, Iter end, std::ios_base&, State& state, std::tm* time) const {
  const int found = ReadName(at, end, state, mNames.months, 24);
  if (found >= 0) time->tm_mon = found / 2;
  return at;
}

Iter time_get<wchar_t>::do_get_year(Iter at, Iter end, std::ios_base&, State& state, std::tm* time) const {
  State read = std::ios_base::goodbit;
  int value = -1;
  ReadNumber(at, end, read, 0, 2035, value);
  if (!(read & std::ios_base::failbit)) {
    const int year = value >= 1900 ? value : value < 35 ? 2000 + value : value <= 135 ? 1900 + value : -1;
    if (year < 0) read |= std::ios_base::failbit;
    else time->tm_year = year - 1900;
  }
  state |= read;
  return at;
}

}  // namespace QOR
