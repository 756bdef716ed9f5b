// Whether a recording's first column gives the times.
#include "host/data/FirstColumnPrivate.h"

#include "host/common/MessageText.h"
#include "host/data/UnitNotesPrivate.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace host {

namespace {

constexpr char kRename[] = "rename it Time [s]";
constexpr char kRenameInSeconds[] = "write the times in seconds and rename the column Time [s]";

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
  return true;
}

// How a unit names a span of time: "s"; seconds spelt otherwise ("sec"); another unit of time.
enum class TimeUnit { None, Seconds, SecondsSpelt, Other };

TimeUnit TimeUnitOf(std::string_view unit) {
  if (unit == "s") return TimeUnit::Seconds;
  for (const char* spelt : {"sec", "secs", "second", "seconds"})
    if (EqualsNoCase(unit, spelt)) return TimeUnit::SecondsSpelt;
  for (const char* other : {"ms", "us", "\xC2\xB5s", "\xCE\xBCs", "ns", "min", "h"})
    if (unit == other) return TimeUnit::Other;
  for (const char* other : {"msec", "msecs", "hr", "hours"})
    if (EqualsNoCase(unit, other)) return TimeUnit::Other;
  return TimeUnit::None;
}

// The change that makes a column of times in this unit the Time column.
const char* Advice(TimeUnit unit) { return unit == TimeUnit::Other ? kRenameInSeconds : kRename; }

// A name that reads as "Time [unit]" with a unit of time whose brackets became '_', '.', '-' or
// blanks, as data-frame writers spell names ("Time_s_", "Time..s."): the unit; empty otherwise.
std::string_view SpeltTimeUnit(std::string_view name) {
  constexpr std::string_view kMarks = "_.- ";
  if (name.size() <= 4 || !EqualsNoCase(name.substr(0, 4), "time") || kMarks.find(name[4]) == std::string_view::npos)
    return std::string_view();
  const std::string_view rest = name.substr(4);
  const size_t first = rest.find_first_not_of(kMarks);
  if (first == std::string_view::npos) return std::string_view();
  const std::string_view unit = rest.substr(first, rest.find_last_not_of(kMarks) + 1 - first);
  return TimeUnitOf(unit) == TimeUnit::None ? std::string_view() : unit;
}

bool Rises(const std::vector<double>& values) {
  for (size_t i = 1; i < values.size(); ++i)
    if (!(values[i] > values[i - 1])) return false;
  return true;
}

// Times rounded as written may repeat (12 kHz written to 0.0001 s): a column headed in a unit of
// time holds times when it never falls and ends higher; the Time column's own check then says
// whether they are even ticks.
bool RisesAsWritten(const std::vector<double>& values) {
  for (size_t i = 1; i < values.size(); ++i)
    if (!(values[i] >= values[i - 1])) return false;
  return values.size() < 2 || values.back() > values.front();
}

// Three values or more, each within a quarter step of the even steps from the first to the
// last (as the reader checks a Time column): *step is that step.
bool RisesEvenly(const std::vector<double>& values, double* step) {
  if (values.size() < 3 || !Rises(values)) return false;
  const double even = (values.back() - values.front()) / static_cast<double>(values.size() - 1);
  for (size_t i = 1; i < values.size(); ++i)
    if (std::fabs(values[i] - (values.front() + static_cast<double>(i) * even)) > 0.25 * even) return false;
  *step = even;
  return true;
}

// A heading "Time" with a unit other than seconds.
FirstColumnVerdict TimeHeading(const std::string& quoted, std::string_view units) {
  if (units.empty()) return {true, "", ""};
  switch (TimeUnitOf(units)) {
    case TimeUnit::None:
      return {false, quoted + ": the Time column must be in seconds (\"Time [s]\")", ""};
    case TimeUnit::SecondsSpelt:
      return {false, quoted + ": seconds are written [s]: " + kRename, ""};
    case TimeUnit::Other:
      return {false, quoted + " gives times in " + std::string(units) + ", and the reader takes them in seconds: " +
                         kRenameInSeconds, ""};
    case TimeUnit::Seconds:
      break;
  }
  return {true, "", ""};
}

// A first column without a unit whose values rise evenly, as times do.
FirstColumnVerdict EvenlyRising(const std::string& quoted, const std::vector<double>& values, double step,
                                bool rateGiven) {
  const std::string evenly =
      "the first column " + quoted + " rises evenly, by " + NumberText(step) + " a line, as times do";
  if (rateGiven)
    return {false, "", evenly + ", and is read as a channel: if it holds the times in seconds, " + kRename +
                           " and give no rate"};
  const bool counts = step == 1.0 && (values.front() == 0.0 || values.front() == 1.0);
  return {false, "no \"Time\" column and no sampling rate given: " + evenly + ": if it holds the times in seconds, " +
                     kRename + (counts ? "; if it numbers the lines, write the file without it" : ""), ""};
}

}  // namespace

std::vector<double> ColumnValues(std::string_view text, char separator, size_t column, size_t most) {
  std::vector<double> values;
  while (!text.empty() && values.size() < most) {
    const size_t end = text.find_first_of("\r\n");
    size_t start = 0;
    for (size_t skipped = 0; skipped < column && start != std::string_view::npos; ++skipped) {
      start = text.find(separator, start);
      if (start != std::string_view::npos) start = start < end ? start + 1 : std::string_view::npos;
    }
    if (start == std::string_view::npos) break;
    std::string cell(text.substr(start, std::min(end, text.find(separator, start)) - start));
    const size_t next = end == std::string_view::npos ? end : end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    text = next == std::string_view::npos ? std::string_view() : text.substr(next);
    const size_t first = cell.find_first_not_of(" \t\"");
    if (first == std::string::npos) break;
    cell = cell.substr(first, cell.find_last_not_of(" \t\"") + 1 - first);
    if (separator == ';')
      for (char& c : cell)
        if (c == ',') c = '.';
    const size_t sign = cell[0] == '+' && cell.size() > 1 && cell[1] != '-' ? 1 : 0;
    double value = 0.0;
    const auto [at, error] = std::from_chars(cell.data() + sign, cell.data() + cell.size(), value);
    if (error != std::errc() || at != cell.data() + cell.size() || !std::isfinite(value)) break;
    values.push_back(value);
  }
  return values;
}

namespace {

FirstColumnVerdict Judge(std::string_view name, std::string_view units, const std::vector<double>& values,
                         bool rateGiven) {
  const std::string quoted = units.empty() ? QuoteInput(name) : BracketForm(name, units);
  if (EqualsNoCase(name, "time")) return TimeHeading(quoted, units);
  std::string_view bare, parenthesised;
  const bool inParentheses = units.empty() && SplitParenthesisedUnit(name, &bare, &parenthesised);
  if (inParentheses && EqualsNoCase(bare, "time"))
    return {false, quoted + " has its unit in parentheses: units are read in brackets, " +
                       (TimeUnitOf(parenthesised) == TimeUnit::Seconds ? BracketForm(bare, parenthesised)
                                                                        : std::string("and times in seconds: ") +
                                                                              kRenameInSeconds), ""};
  const std::string_view spelt = units.empty() ? SpeltTimeUnit(name) : std::string_view();
  if (!spelt.empty())
    return {false, quoted + " reads as " + BracketForm("Time", spelt) +
                       " with '_' or '.' for its brackets, as data frames write names: " +
                       Advice(TimeUnitOf(spelt)), ""};
  const TimeUnit unit = TimeUnitOf(inParentheses ? parenthesised : units);
  if (unit == TimeUnit::Seconds && !inParentheses && RisesAsWritten(values))
    return {true, "", "the first column " + quoted + " holds rising times in seconds: it is read as the Time column"};
  if (unit != TimeUnit::None && RisesAsWritten(values))
    return {false, "the first column " + quoted + " holds rising times" +
                       (inParentheses ? ", its unit in parentheses: " : ": ") + Advice(unit), ""};
  double step = 0.0;
  if (units.empty() && !inParentheses && RisesEvenly(values, &step))
    return EvenlyRising(quoted, values, step, rateGiven);
  return {};
}

}  // namespace

FirstColumnVerdict JudgeFirstColumn(std::string_view name, std::string_view units, const std::vector<double>& values,
                                    bool rateGiven) {
  FirstColumnVerdict verdict = Judge(name, units, values, rateGiven);
  if (verdict.time && rateGiven)
    verdict.refusal = (EqualsNoCase(name, "time") ? std::string("the Time column gives")
                                                  : "the first column " + BracketForm(name, units) +
                                                        " holds rising times in seconds, which give") +
                      " the tick period; no sampling rate may be given as well";
  return verdict;
}

}  // namespace host
