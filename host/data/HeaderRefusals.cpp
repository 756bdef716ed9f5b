// What the recording reader says of a first line it cannot take as the header.
#include "host/data/HeaderRefusalsPrivate.h"

#include "host/common/MessageText.h"

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

}  // namespace

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
