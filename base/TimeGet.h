// QOR::time_get<wchar_t> and QOR::time_getEx<wchar_t>: the module's own parser of times, dates,
// weekday and month names and years, installed in the global locale in place of the standard one.
#pragma once

#include <ctime>
#include <locale>
#include <string>

namespace QOR {

template <class CharT>
class time_get;
template <class CharT>
class time_getEx;

// Parsing never throws: failures set failbit in the state, and the tm fields are then not to be
// relied on. Every number field is an optional sign and decimal digits read as a 32-bit number.
template <>
class time_get<wchar_t> : public std::time_get<wchar_t> {
 public:
  // Weekday names from Sunday and month names from January, the abbreviated and the full name of
  // each alternating.
  struct Names {
    std::wstring weekdays[14];
    std::wstring months[24];
  };

  time_get(const Names& names, dateorder order, wchar_t dateSeparator, std::size_t refs = 0);

 protected:
  dateorder do_date_order() const override;
  // "h:mm:ss"; "h:mm" at the end of the input; "m:ss" followed by the decimal point of the
  // stream's locale (left unread for the caller's fraction). Hours are limited to 23 unless
  // tm_mday is 0 on entry (an elapsed time), and to 23 in "h:mm" always.
  iter_type do_get_time(iter_type begin, iter_type end, std::ios_base& stream, std::ios_base::iostate& state,
                        std::tm* time) const override;
  // Three fields in the date order (none counts as month-day-year), separated by spaces and one
  // of ':', the date separator, ',' and '/'; a leading month name means month-day-year.
  iter_type do_get_date(iter_type begin, iter_type end, std::ios_base& stream, std::ios_base::iostate& state,
                        std::tm* time) const override;
  iter_type do_get_weekday(iter_type begin, iter_type end, std::ios_base& stream,
                           std::ios_base::iostate& state, std::tm* time) const override;
  iter_type do_get_monthname(iter_type begin, iter_type end, std::ios_base& stream,
                             std::ios_base::iostate& state, std::tm* time) const override;
  // 0 to 2035: 1900 and above as they are, below 35 as 2000 to 2034, 35 to 135 counted from 1900.
  iter_type do_get_year(iter_type begin, iter_type end, std::ios_base& stream, std::ios_base::iostate& state,
                        std::tm* time) const override;

 private:
  Names mNames;
  dateorder mOrder;
  wchar_t mDateSeparator;
};

// The form the locale record installs.
template <>
class time_getEx<wchar_t> final : public time_get<wchar_t> {
 public:
  using time_get<wchar_t>::time_get;
};

}  // namespace QOR
