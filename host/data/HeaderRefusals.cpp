// What the recording reader says of a first line it cannot take as the header.
#include "host/data/HeaderRefusalsPrivate.h"

#include "host/common/MessageText.h"
#include "host/common/UnitText.h"
#include "host/data/FirstColumnPrivate.h"
#include "host/data/UnitNotesPrivate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace host {

namespace {

constexpr const char* kCommentMarks[] = {"#", "%", "//"};
// Lines after a comment line looked at for the header.
constexpr int kHeaderSearchLines = 20;
constexpr char kHeaderExample[] = "\"Time [s],Vm [mV]\"";

bool OpensWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '"')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '"')) s.remove_suffix(1);
  return s;
}

// The text after the line that ends at end (at a CR, LF or CR LF).
std::string_view AfterLine(std::string_view text, size_t end) {
  if (end == std::string_view::npos) return std::string_view();
  return text.substr(text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
  return true;
}

// The comment mark a line opens with, after blanks ("#", "%", "//"); empty for another line.
std::string_view CommentMark(std::string_view line) {
  const std::string_view first = TrimBlanks(line);
  for (const char* mark : kCommentMarks)
    if (OpensWith(first, mark)) return mark;
  return std::string_view();
}

std::string_view WithoutMark(std::string_view line, std::string_view mark) {
  return TrimBlanks(line).substr(mark.size());
}

// Whether a line reads as the header: its first cell names the Time column.
bool ReadsAsHeader(std::string_view line) { return NamesTime(line.substr(0, line.find_first_of(",;\t"))); }

// A line's cells, split as the reader splits the header: at TABs, else semicolons, else commas.
struct LineCells {
  char separator = ',';
  std::vector<std::string_view> cells;  // without blanks and quotes
  std::vector<size_t> starts;           // where each cell's text starts in the line
};

LineCells SplitLine(std::string_view line) {
  LineCells split;
  split.separator = line.find('\t') != std::string_view::npos  ? '\t'
                    : line.find(';') != std::string_view::npos ? ';'
                                                               : ',';
  for (size_t start = 0;;) {
    const size_t end = line.find(split.separator, start);
    const std::string_view raw = line.substr(start, end == std::string_view::npos ? end : end - start);
    split.cells.push_back(TrimBlanks(raw));
    const size_t lead = raw.find_first_not_of(" \t\"");
    split.starts.push_back(start + (lead == std::string_view::npos ? raw.size() : lead));
    if (end == std::string_view::npos) return split;
    start = end + 1;
  }
}

// The first line of text, and text after it.
std::string_view FirstLine(std::string_view text) { return text.substr(0, text.find_first_of("\r\n")); }
std::string_view AfterFirstLine(std::string_view text) { return AfterLine(text, text.find_first_of("\r\n")); }

// A number as a sample cell may hold one; with semicolons between cells, a decimal comma too.
bool IsNumber(std::string_view cell, char separator) {
  if (cell.empty()) return false;
  std::string text(cell);
  for (char& c : text)
    if (c == ',' && separator == ';') c = '.';
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && text.find_first_of(" \t") == std::string::npos;
}

// Numbers separated by blanks only, as one cell ("-47.2 0.5"): n of them, 0 for another text.
int BlankSeparatedNumbers(std::string_view cell) {
  int count = 0;
  for (size_t at = cell.find_first_not_of(" \t"); at != std::string_view::npos; ++count) {
    const size_t end = cell.find_first_of(" \t", at);
    if (!IsNumber(cell.substr(at, end == std::string_view::npos ? end : end - at), ',')) return 0;
    at = end == std::string_view::npos ? end : cell.find_first_not_of(" \t", end);
  }
  return count;
}

// Whether every cell holds numbers; blanks between them count (the line was not split there).
bool HoldsOnlyNumbers(const LineCells& split, bool* blankSeparated) {
  *blankSeparated = false;
  for (const std::string_view cell : split.cells) {
    if (IsNumber(cell, split.separator)) continue;
    if (BlankSeparatedNumbers(cell) < 2) return false;
    *blankSeparated = true;
  }
  return true;
}

// A cell's text without the brackets or parentheses around it ("[mV]", "(mV)").
std::string_view Unbracketed(std::string_view cell) {
  if (cell.size() < 2 || (cell.front() != '[' && cell.front() != '(')) return cell;
  return TrimBlanks(cell.substr(1, cell.size() - 2));
}

// A unit as a row under the header may give one: known to the host, bare or in brackets.
bool IsUnitCell(std::string_view cell) {
  cell = Unbracketed(cell);
  return !cell.empty() && IsKnownUnitText(WideFromUtf8(cell));
}

// A row of units under the header: no number, as many cells as the header, one a unit at least.
bool IsUnitsRow(const LineCells& row, size_t headerCells) {
  if (row.cells.size() != headerCells) return false;
  bool unit = false;
  for (const std::string_view cell : row.cells) {
    if (IsNumber(cell, row.separator)) return false;
    unit = unit || IsUnitCell(cell);
  }
  return unit;
}

// Whether a header cell gives its unit in brackets ("Vm [mV]").
bool GivesUnit(std::string_view cell) { return cell.find('[') != std::string_view::npos && cell.back() == ']'; }

// The first two header cells without a unit in brackets, with the one the row under it gives, as
// the reader takes them ("'Im [pA]'"); a unit the cell gives in parentheses gives way to the row's.
// Empty when every cell the row gives a unit gives its own.
std::string WithUnits(const LineCells& header, const LineCells& units) {
  std::string words;
  int named = 0;
  for (size_t i = 0; i < header.cells.size() && named < 2; ++i) {
    const std::string_view unit = Unbracketed(units.cells[i]);
    if (GivesUnit(header.cells[i]) || unit.empty()) continue;
    std::string_view name = header.cells[i], spelt;
    if (!SplitParenthesisedUnit(header.cells[i], &name, &spelt)) name = header.cells[i];
    words += (named++ > 0 ? ", " : "") + BracketForm(name, unit);
  }
  return words;
}

// The sampling rate, Hz, a line gives as a key and its value: a key naming a sampling rate or
// frequency ("Sampling rate", "Sample rate [kHz]", "SamplingFrequency (Hz)"), then a number above 0,
// in Hz, or in kHz or MHz where the key or the value names that unit. 0 for any other line.
double KeyedRate(std::string_view line) {
  const LineCells split = SplitLine(line);
  if (split.cells.size() < 2) return 0.0;
  std::string key(split.cells[0]);
  for (char& c : key) c = static_cast<char>(c | 0x20);
  if (key.find("sampl") == std::string::npos ||
      (key.find("rate") == std::string::npos && key.find("freq") == std::string::npos))
    return 0.0;
  std::string value(split.cells[1]);
  for (char& c : value)
    if (c == ',' && split.separator == ';') c = '.';
  char* end = nullptr;
  const double rate = std::strtod(value.c_str(), &end);
  if (end == value.c_str() || !std::isfinite(rate) || !(rate > 0.0)) return 0.0;
  std::string_view unit = TrimBlanks(std::string_view(end));
  if (unit.empty()) {
    const size_t open = split.cells[0].find_first_of("[(");
    if (open != std::string_view::npos) unit = Unbracketed(TrimBlanks(split.cells[0].substr(open)));
  }
  if (unit.empty() || unit == "Hz") return rate;
  if (unit == "kHz" || unit == "KHz") return rate * 1e3;
  return unit == "MHz" ? rate * 1e6 : 0.0;
}

// The unit a line gives as a key and its value ("Units,mV"): a key "Unit" or "Units", then a unit
// known to the host, bare or in brackets; empty for any other line.
std::string_view KeyedUnit(std::string_view line) {
  const LineCells split = SplitLine(line);
  if (split.cells.size() < 2 || !(EqualsNoCase(split.cells[0], "unit") || EqualsNoCase(split.cells[0], "units")))
    return std::string_view();
  return IsUnitCell(split.cells[1]) ? Unbracketed(split.cells[1]) : std::string_view();
}

// Whether a line gives a sampling rate or a unit as a key and its value ("Units,mV").
bool GivesKeyedValue(std::string_view line) { return KeyedRate(line) > 0.0 || !KeyedUnit(line).empty(); }

// The line, among the first few after the first, that reads as the header: one naming the Time
// column, or a line without numbers above a first line of samples that has as many cells (the line
// above it where that is a units row under it, and no key with its value); a blank line is none.
// 0 when none does.
int HeaderLineAfter(std::string_view rest) {
  LineCells above;
  std::string_view aboveLine;
  for (int number = 2; number <= kHeaderSearchLines + 1 && !rest.empty(); ++number) {
    const std::string_view line = FirstLine(rest);
    rest = AfterFirstLine(rest);
    if (line.find_first_not_of(" \t") == std::string_view::npos) {
      above = LineCells();
      continue;
    }
    if (ReadsAsHeader(line)) return number;
    const LineCells cells = SplitLine(line), next = SplitLine(FirstLine(rest));
    bool blanks = false;
    if (HoldsOnlyNumbers(cells, &blanks)) return 0;
    const bool samplesNext = !FirstLine(rest).empty() && HoldsOnlyNumbers(next, &blanks);
    if (samplesNext && next.cells.size() == cells.cells.size())
      return number > 2 && IsUnitsRow(cells, above.cells.size()) && !GivesKeyedValue(aboveLine) ? number - 1 : number;
    above = cells;
    aboveLine = line;
  }
  return 0;
}

// The line `number` (from 2) of the text after the first line.
std::string_view LineAfter(std::string_view rest, int number) {
  for (; number > 2; --number) rest = AfterFirstLine(rest);
  return FirstLine(rest);
}

// ", and give the sampling rate line 1 holds with --rate 20000, as the header has no Time column",
// where the header's first column neither gives the times nor looks like them (judged on the
// samples after it): alone the header needs a rate, the one line `holder` before it gives as a key
// and its value (`rate`), else the words name none ("--rate HZ"). Empty for a header that gives
// the times or is refused for its first column.
std::string RateWords(std::string_view header, std::string_view samples, double rate, int holder) {
  const LineCells headings = SplitLine(header);
  const std::string_view heading = headings.cells[0];
  const size_t open = heading.find('[');
  const std::string_view name = TrimBlanks(heading.substr(0, open));
  const std::string_view units = open == std::string_view::npos ? std::string_view() : Unbracketed(heading.substr(open));
  const std::vector<double> values = ColumnValues(samples, headings.separator, 0, kFirstValuesJudged);
  const FirstColumnVerdict verdict = JudgeFirstColumn(name, units, values, true);
  if (verdict.time || !verdict.refusal.empty() || !verdict.note.empty()) return std::string();
  const std::string given =
      rate > 0.0 ? " line " + std::to_string(holder) + " holds with --rate " + NumberText(rate, 15) : " with --rate HZ";
  return ", and give the sampling rate" + given + ", as the header has no Time column";
}

// RateWords for the header at line `header` (after `first`, in `rest`; its samples after the
// units row under it where `unitsRow`), with the rate the first of the lines before it to give one
// as a key and its value gives.
std::string RateWordsAfter(std::string_view first, std::string_view rest, int header, bool unitsRow) {
  double rate = KeyedRate(first);
  int holder = 1;
  for (int number = 2; number < header; ++number, rest = AfterFirstLine(rest))
    if (!(rate > 0.0)) rate = KeyedRate(FirstLine(rest)), holder = number;
  const std::string_view samples = AfterFirstLine(rest);
  return RateWords(FirstLine(rest), unitsRow ? AfterFirstLine(samples) : samples, rate, holder);
}

// "line 2 holds units under the header, ...": the units row at line `number` under the header, the
// units to write in brackets there (none where the header gives each its own) and its removal.
std::string UnitsRowWords(const LineCells& header, const LineCells& row, int number) {
  const std::string units = WithUnits(header, row);
  const std::string at = "line " + std::to_string(number);
  return at + " holds units under the header, " +
         (units.empty() ? "which gives each column's unit already: remove " + at
                        : "where the reader expects samples: write each unit in brackets in the header, as " + units +
                              ", and remove " + at);
}

// The largest magnitude among the first values in a column (from 0) of the samples.
double LargestValue(std::string_view samples, char separator, size_t column) {
  double largest = 0.0;
  for (const double value : ColumnValues(samples, separator, column, kFirstValuesJudged))
    largest = std::max(largest, std::fabs(value));
  return largest;
}

// ", write the unit line 2 gives in brackets in the header, as 'Vm [mV]'": the unit the first line
// before the header (at `header`, after `first`, in `rest`) to give one as a key and its value
// gives, written for the first two channels the header leaves without a unit in brackets, which
// removing the lines before it would leave read in their own numbers; a channel whose name holds
// its own unit, or stands for a quantity the unit does not measure, gets the unit that fits it
// (KeyedUnitForm), and then the words name the units each. Empty where no line gives one, or
// each channel has its own.
std::string KeyedUnitWords(std::string_view first, std::string_view rest, int header, const LineCells& headings) {
  std::string_view unit = KeyedUnit(first), samples = rest;
  int holder = 1;
  for (int number = 2; number <= header; ++number, samples = AfterFirstLine(samples))
    if (unit.empty() && number < header) unit = KeyedUnit(FirstLine(samples)), holder = number;
  if (unit.empty()) return std::string();
  std::string forms;
  bool keyed = true;
  int named = 0;
  for (size_t i = 0; i < headings.cells.size() && named < 2; ++i) {
    const std::string_view cell = headings.cells[i];
    if (cell.empty() || NamesTime(cell) || GivesUnit(cell)) continue;
    const std::string form = KeyedUnitForm(cell, unit, LargestValue(samples, headings.separator, i));
    keyed = keyed && form == BracketForm(cell, unit);
    forms += (named++ > 0 ? ", " : "") + form;
  }
  if (forms.empty()) return std::string();
  const std::string line = "line " + std::to_string(holder);
  if (keyed) return ", write the unit " + line + " gives in brackets in the header, as " + forms;
  return ", write each channel's unit in brackets in the header, as " + forms + " (" + line + " gives " +
         std::string(unit) + ")";
}

// A first line set apart by blank lines (or lines of separators only) above samples of another
// number of columns than it names: a title above samples that no header names. Nothing for
// another layout.
HeaderFault UnheadedSamplesFault(std::string_view line, std::string_view rest) {
  int number = 2;
  for (; !rest.empty() && FirstLine(rest).find_first_not_of(" \t,;") == std::string_view::npos; ++number)
    rest = AfterFirstLine(rest);
  const LineCells samples = SplitLine(FirstLine(rest)), first = SplitLine(line);
  const auto named =
      std::count_if(first.cells.begin(), first.cells.end(), [](std::string_view cell) { return !cell.empty(); });
  bool blanks = false;
  if (number == 2 || rest.empty() || !HoldsOnlyNumbers(samples, &blanks) || blanks ||
      samples.cells.size() == static_cast<size_t>(named))
    return {};
  return {1, 1, "the first line " + QuoteInput(line) + " is not the header, and no header line names the samples " +
                    "from line " + std::to_string(number) + ": write one in place of lines 1 to " +
                    std::to_string(number - 1) + ", naming their " + std::to_string(samples.cells.size()) +
                    " columns, as " + kHeaderExample + " (or \"Vm [mV]\" with --rate HZ)"};
}

// A first line that is not the header, when a line after it reads as one: a title line (or
// when blank lines set it apart from samples no header names). A units row under that header is
// named too, else a unit a line before it gives as a key and its value
// (KeyedUnitWords), and with no rate given, where the header needs one, that (the one the lines
// before it held, if any).
HeaderFault TitleLineFault(std::string_view line, std::string_view rest, bool rateGiven) {
  if (ReadsAsHeader(line)) return {};
  const int number = HeaderLineAfter(rest);
  if (number == 0) return UnheadedSamplesFault(line, rest);
  const LineCells header = SplitLine(LineAfter(rest, number)), row = SplitLine(LineAfter(rest, number + 1));
  const bool unitsRow = IsUnitsRow(row, header.cells.size());
  return {1, 1, "the first line " + QuoteInput(line) + " is not the header; the header looks to be line " +
                    std::to_string(number) + ": remove the lines before it" +
                    (unitsRow ? "; " + UnitsRowWords(header, row, number + 1) : KeyedUnitWords(line, rest, number, header)) +
                    (rateGiven ? std::string() : RateWordsAfter(line, rest, number, unitsRow))};
}

// A header names its columns: a first line holding a number beside a name ("Sampling rate,20000")
// is a key and its value, not the header, when a later line reads as one.
bool HoldsANumber(const LineCells& line) {
  for (const std::string_view cell : line.cells)
    if (IsNumber(cell, line.separator)) return true;
  return false;
}

// What the line under the first shows of it: a first line followed by a blank line, holding a key
// and its value or above a unit given as one ("Units,mV"), is a title line where a later line
// reads as the header; above a units row it
// is the header, which either gives each unit in brackets already or takes the row's where it gives
// none, and without a Time column needs a rate.
HeaderFault FirstRowFault(std::string_view line, const LineCells& header, std::string_view rest, bool rateGiven) {
  const std::string_view row = FirstLine(rest);
  const LineCells rowCells = SplitLine(row);
  bool blanks = false;
  if (row.find_first_not_of(" \t") == std::string_view::npos) return TitleLineFault(line, rest, rateGiven);
  if (HoldsOnlyNumbers(rowCells, &blanks)) return {};
  if (HoldsANumber(header) || !KeyedUnit(row).empty()) {
    const HeaderFault title = TitleLineFault(line, rest, rateGiven);
    if (!title.what.empty()) return title;
  }
  if (IsUnitsRow(rowCells, header.cells.size()))
    return {2, 1, UnitsRowWords(header, rowCells, 2) +
                      (rateGiven ? std::string() : RateWords(line, AfterFirstLine(rest), 0.0, 0))};
  return TitleLineFault(line, rest, rateGiven);
}

// The header's last `empty` cells are empty: separators at the end of the header, and of each
// line when the first row ends in as many empty cells; a row with values there has columns the
// header leaves unnamed.
HeaderFault TrailingColumnsFault(const LineCells& header, size_t empty, std::string_view rest) {
  const size_t count = header.cells.size();
  const LineCells row = SplitLine(FirstLine(rest));
  size_t rowEmpty = 0;
  while (rowEmpty < row.cells.size() && row.cells[row.cells.size() - 1 - rowEmpty].empty()) ++rowEmpty;
  const int column = static_cast<int>(header.starts[count - empty]) + 1;
  if (row.cells.size() == count && rowEmpty < empty)
    return {1, column, "column " + std::to_string(count - empty + 1) + " has values but no name in the header: " +
                           "name it there, as \"Im [pA]\""};
  const std::string at = row.cells.size() == count ? "each line" : "the header";
  const std::string separator = header.separator == '\t' ? "TAB" : "'" + std::string(1, header.separator) + "'";
  if (empty == 1)
    return {1, column, "the header ends in a " + separator + ", which leaves its last column without a name: " +
                           "remove the " + separator + " at the end of " + at};
  const std::string separators = header.separator == '\t' ? std::to_string(empty) + " TABs"
                                                          : "'" + std::string(empty, header.separator) + "'";
  return {1, column, "the header ends in " + std::to_string(empty) + " empty columns, " + separators +
                         " after its last name: remove the " + separators + " at the end of " + at};
}

}  // namespace

HeaderFault HeaderLayoutFault(std::string_view line, std::string_view rest, bool rateGiven) {
  const LineCells header = SplitLine(line);
  const size_t count = header.cells.size();
  bool blankSeparated = false;
  if (HoldsOnlyNumbers(header, &blankSeparated))
    return {1, 1, "the first line " + QuoteInput(line) + " holds only numbers: the reader expects a header line " +
                      "naming the columns there, as " + kHeaderExample + " (or \"Vm [mV]\" with --rate HZ): add one" +
                      (blankSeparated ? ", and separate the cells by commas, TABs or semicolons" : "")};
  const auto named = [&](size_t i) { return !header.cells[i].empty(); };
  if (count > 1 && !named(0) && named(1))
    return {1, static_cast<int>(header.starts[0]) + 1,
            "the first column has no heading (a row index, as spreadsheets and data frames write one): the "
            "reader expects \"Time [s]\" or a channel there: write the file without the index column"};
  size_t empty = 0;
  while (empty < count && !named(count - 1 - empty)) ++empty;
  if (empty == 0 || empty == count) return FirstRowFault(line, header, rest, rateGiven);
  // A title line that a spreadsheet padded to the header's width also ends in separators.
  const HeaderFault title = TitleLineFault(line, rest, rateGiven);
  return title.what.empty() ? TrailingColumnsFault(header, empty, rest) : title;
}

std::string EncodingRefusal(std::string_view text) {
  if (OpensWith(text, std::string_view("\xFF\xFE\0\0", 4)) || (text.size() >= 4 && text[0] != 0 && text[1] == 0 &&
                                                               text[2] == 0 && text[3] == 0))
    return "the text is UTF-32 (little-endian): save it as UTF-8, or as UTF-16";
  if (OpensWith(text, std::string_view("\0\0\xFE\xFF", 4)) || (text.size() >= 4 && text[0] == 0 && text[1] == 0 &&
                                                               text[2] == 0 && text[3] != 0))
    return "the text is UTF-32 (big-endian): save it as UTF-8, or as UTF-16";
  if (OpensWith(text, "\xEF\xBB\xBF\xEF\xBB\xBF"))
    return "the text opens with the UTF-8 byte order mark twice: save it as UTF-8 with one, or none";
  return std::string();
}

bool NamesTime(std::string_view cell) {
  cell = TrimBlanks(cell);
  const size_t open = cell.find_first_of("[(");
  return EqualsNoCase(TrimBlanks(cell.substr(0, open)), "time");
}

std::string CommentLineRefusal(std::string_view line, std::string_view rest) {
  const std::string_view mark = CommentMark(line);
  if (mark.empty()) return std::string();
  const std::string found = "the first line " + QuoteInput(line) + " is ";
  if (ReadsAsHeader(WithoutMark(line, mark)))
    return found + "the header written as a comment: remove the '" + std::string(mark) + "' at its start";
  const std::string words = found + "a comment: the reader expects the header there, as " + kHeaderExample;
  for (int number = 2; number <= kHeaderSearchLines + 1 && !rest.empty(); ++number) {
    const size_t end = rest.find_first_of("\r\n");
    const std::string_view next = rest.substr(0, end);
    const std::string_view nextMark = CommentMark(next);
    if (ReadsAsHeader(WithoutMark(next, nextMark)))
      return words + "; the header looks to be line " + std::to_string(number) +
             (nextMark.empty() ? ": remove the lines before it"
                               : ", written as a comment: remove the lines before it and the '" +
                                     std::string(nextMark) + "' at its start");
    rest = AfterLine(rest, end);
  }
  return words + ": remove the comment lines";
}

std::string TimeColumnRefusal(std::string_view cell, size_t column) {
  return QuoteInput(TrimBlanks(cell)) + " is column " + std::to_string(column) +
         ": the reader takes the Time column only as the first, as " + kHeaderExample + "; move it there";
}

std::string UntimedRefusal(std::string_view firstCell) {
  return "no \"Time\" column and no sampling rate given: the first column is " + QuoteInput(TrimBlanks(firstCell)) +
         ", and the reader expects \"Time [s]\" there, as " + kHeaderExample +
         ": give the times there, or the rate with --rate HZ";
}

}  // namespace host
