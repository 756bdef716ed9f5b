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
  const std::string_view first = TrimBlanks(line);
  bool comment = false;
  for (const char* mark : kCommentMarks) comment = comment || OpensWith(first, mark);
  if (!comment) return std::string();
  std::string words = "the first line " + QuoteInput(line) + " is a comment: the reader expects the header there, as " +
                      kHeaderExample;
  for (int number = 2; number <= kHeaderSearchLines + 1 && !rest.empty(); ++number) {
    const size_t end = rest.find_first_of("\r\n");
    const std::string_view next = rest.substr(0, end);
    if (NamesTime(next.substr(0, next.find_first_of(",;\t"))))
      return words + "; the header looks to be line " + std::to_string(number) + ": remove the lines before it";
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
