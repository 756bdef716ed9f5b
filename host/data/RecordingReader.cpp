// Reads a recording from comma- or tab-separated text.
#include "host/data/RecordingReader.h"

#include "host/common/FileProblemWords.h"
#include "host/common/MessageText.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "host/common/UnitText.h"
#include "host/data/EvenTicksPrivate.h"
#include "host/data/FirstColumnPrivate.h"
#include "host/data/HeaderRefusalsPrivate.h"
#include "host/data/ThousandsSeparators.h"
#include "host/data/UnitNotesPrivate.h"

namespace host {

RecordingFileError::RecordingFileError(const std::string& file, int line, int column,
                                       const std::string& what)
    : std::runtime_error(line == 0 ? file + ": " + what
                                   : file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + what),
      mLine(line),
      mColumn(column) {}

namespace {

struct Cell {
  std::string_view text;
  int column;  // 1-based character position of the text in its line
};

std::string_view Trim(std::string_view s, int* offset) {
  size_t b = 0;
  while (b < s.size() && (s[b] == ' ' || s[b] == '\t')) ++b;
  size_t e = s.size();
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  *offset += static_cast<int>(b);
  return s.substr(b, e - b);
}

// A cell's fault: the column it lies at and what is wrong.
struct CellFault {
  int column;
  const char* what;
};

// A quoted cell from its opening quote at `open`: the text up to the closing quote (separators
// inside belong to the text); *end is where the cell ends. Throws CellFault.
std::string_view QuotedCell(std::string_view line, size_t open, char separator, size_t* end) {
  const size_t close = line.find('"', open + 1);
  if (close == std::string_view::npos) throw CellFault{static_cast<int>(open) + 1, "quote not closed"};
  if (close + 1 < line.size() && line[close + 1] == '"')
    throw CellFault{static_cast<int>(close) + 1, "doubled quotes inside a quoted cell are not supported"};
  size_t after = close + 1;
  while (after < line.size() && (line[after] == ' ' || line[after] == '\t') && line[after] != separator) ++after;
  if (after < line.size() && line[after] != separator)
    throw CellFault{static_cast<int>(after) + 1, "text after the closing quote"};
  *end = after < line.size() ? after : std::string_view::npos;
  return line.substr(open + 1, close - open - 1);
}

std::vector<Cell> SplitCells(std::string_view line, char separator) {
  std::vector<Cell> cells;
  size_t start = 0;
  for (;;) {
    size_t end = line.find(separator, start);
    const std::string_view raw = line.substr(start, end == std::string_view::npos ? line.size() - start : end - start);
    int column = static_cast<int>(start) + 1;
    std::string_view text = Trim(raw, &column);
    if (!text.empty() && text[0] == '"') {
      const size_t open = static_cast<size_t>(column) - 1;
      column += 1;
      text = Trim(QuotedCell(line, open, separator, &end), &column);
    }
    cells.push_back({text, column});
    if (end == std::string_view::npos) return cells;
    start = end + 1;
  }
}

bool IsBlank(std::string_view line) {
  for (const char c : line)
    if (c != ' ' && c != '\t') return false;
  return true;
}

std::wstring Widen(std::string_view s) { return WideFromUtf8(s); }

bool IsUtf8(std::string_view text) {
  return text.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                             static_cast<int>(text.size()), nullptr, 0) > 0;
}

std::string Utf8FromWindows1252(std::string_view text) {
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<size_t>(MultiByteToWideChar(1252, 0, text.data(), size, nullptr, 0)), L'\0');
  if (!wide.empty()) MultiByteToWideChar(1252, 0, text.data(), size, &wide[0], static_cast<int>(wide.size()));
  return Utf8FromWide(wide);
}


// The sampling intervals a tick holds, in seconds.
constexpr double kShortestTickPeriod = 1e-9;
constexpr double kLongestTickPeriod = 1e6;

class Reader {
 public:
  Reader(std::string_view text, const std::string& file, const RecordingReadOptions& options)
      : mText(text), mFile(file), mOptions(options) {}

  Recording Run();

 private:
  [[noreturn]] void Fail(int line, int column, const std::string& what) const {
    throw RecordingFileError(mFile, line, column, what);
  }
  bool NextLine(std::string_view* line);
  std::vector<Cell> Cells(std::string_view line) const;
  double ReadNumber(const Cell& cell) const;
  void ReadHeader(std::string_view line);
  bool ReadFirstHeading(std::string_view name, std::string_view units, int column);
  double LargestValue(size_t column) const;
  void NoteTimeStart(double firstTime);
  void NoteTimeUnit(double period);
  void ReadRow(std::string_view line);
  void CheckTickPeriod(double period) const;
  void FinishRecord();
  void StoreRecord(std::vector<std::vector<float>>& values, int32_t length, double firstTime, double period);

  std::string_view mText;
  std::string mFile;
  RecordingReadOptions mOptions;
  size_t mPos = 0;
  int mLineNo = 0;
  char mSeparator = ',';
  bool mHasTime = false;
  bool mTimeStartNoted = false;
  bool mFirstColumnNoted = false;
  bool mTimeUnitNoted = true;  // false until a Time column without a unit has been noted
  size_t mCellCount = 0;
  Recording mRecording;
  std::string mHeader;  // the header line in UTF-8 when the file's is not
  std::vector<std::string> mHeadings;  // the header's cells, naming the columns in messages
  std::vector<wchar_t> mPrefixes;  // per channel: the prefix of its unit, samples kept in the base unit
  // The record being read: its samples, its time column and the line of its first row.
  int32_t mLength = 0;
  std::vector<std::vector<float>> mValues;  // per channel
  std::vector<double> mTimes;
  int mTimeDigit = 0;  // the finest digit its times are written to (WrittenDigit)
  int mFirstLine = 0;
  // Records of one line before any record that gives the tick period: kept until one does.
  struct WaitingRecord {
    std::vector<std::vector<float>> values;
    double time;
    int line;
  };
  std::vector<WaitingRecord> mWaiting;
};

// A line ends at LF, CR LF or a lone CR.
bool Reader::NextLine(std::string_view* line) {
  if (mPos >= mText.size()) return false;
  size_t end = mText.find_first_of("\r\n", mPos);
  if (end == std::string_view::npos) end = mText.size();
  *line = mText.substr(mPos, end - mPos);
  mPos = end + (end + 1 < mText.size() && mText[end] == '\r' && mText[end + 1] == '\n' ? 2 : 1);
  ++mLineNo;
  return true;
}

std::vector<Cell> Reader::Cells(std::string_view line) const {
  try {
    return SplitCells(line, mSeparator);
  } catch (const CellFault& fault) {
    Fail(mLineNo, fault.column, fault.what);
  }
}

// A finite number from a cell that is not empty; with semicolons between cells a decimal comma
// stands for the point.
double Reader::ReadNumber(const Cell& cell) const {
  const std::string_view t = cell.text;
  std::string pointed;
  std::string_view digits = t;
  if (mSeparator == ';' && t.find(',') != std::string_view::npos) {
    pointed.assign(t);
    for (char& c : pointed)
      if (c == ',') c = '.';
    digits = pointed;
  }
  const char* first = digits.data();
  const char* const last = digits.data() + digits.size();
  // from_chars takes no plus sign; one is allowed before the digits, but not before a minus.
  if (*first == '+' && digits.size() > 1 && digits[1] != '-') ++first;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range && end == last) {
    const bool tiny = std::fabs(std::strtod(std::string(first, last).c_str(), nullptr)) < 1.0;
    Fail(mLineNo, cell.column,
         QuoteInput(t) + (tiny ? " is finite but too small to store: write 0" : " is out of the range of a sample"));
  }
  if (ec != std::errc() || end != last || !std::isfinite(value)) {
    const std::string plain = WithoutThousandsSeparators(t, mSeparator == ';' ? ',' : '.');
    const bool decimalComma = mSeparator != ';' && t.find(',') != std::string_view::npos;
    Fail(mLineNo, cell.column,
         QuoteInput(t) + " is not a finite number" +
             (!plain.empty()  ? ": thousands separators are not read: write " + plain
              : decimalComma ? ": decimal commas are read only with semicolons between cells"
                             : std::string()));
  }
  return value;
}

void Reader::ReadHeader(std::string_view line) {
  if (line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xEF &&
      static_cast<unsigned char>(line[1]) == 0xBB && static_cast<unsigned char>(line[2]) == 0xBF)
    line.remove_prefix(3);  // UTF-8 byte order mark
  if (!IsUtf8(line)) {
    // What Windows programs write: "\xB5V" is microvolts. The rows hold numbers only.
    mHeader = Utf8FromWindows1252(line);
    line = mHeader;
  }
  const std::string comment = CommentLineRefusal(line, mText.substr(std::min(mPos, mText.size())));
  if (!comment.empty()) Fail(mLineNo, 1, comment);
  const HeaderFault layout = HeaderLayoutFault(line, mText.substr(std::min(mPos, mText.size())), mOptions.rateHz > 0.0);
  if (!layout.what.empty()) Fail(mLineNo + layout.line - 1, layout.column, layout.what);
  mSeparator = line.find('\t') != std::string_view::npos   ? '\t'
               : line.find(';') != std::string_view::npos ? ';'
                                                          : ',';
  const std::vector<Cell> cells = Cells(line);
  for (size_t i = 0; i < cells.size(); ++i) {
    std::string_view name = cells[i].text;
    std::string_view units;
    if (name.empty())
      Fail(mLineNo, cells[i].column,
           "column " + std::to_string(i + 1) + " has no name in the header: name it, as \"Vm [mV]\", or delete the "
           "column");
    if (i > 0 && NamesTime(name)) Fail(mLineNo, cells[i].column, TimeColumnRefusal(name, i + 1));
    const size_t open = name.find('[');
    if (open != std::string_view::npos) {
      if (name.back() != ']')
        Fail(mLineNo, cells[i].column + static_cast<int>(open), "unit not closed by ']'");
      units = name.substr(open + 1, name.size() - open - 2);
      int dummy = 0;
      name = Trim(name.substr(0, open), &dummy);
      units = Trim(units, &dummy);
      if (name.empty()) Fail(mLineNo, cells[i].column, "channel without a name before its unit");
      size_t at = 0;
      const std::string fault = UnitCharacterFault(units, &at);
      if (!fault.empty()) Fail(mLineNo, static_cast<int>(units.data() + at - line.data()) + 1, fault);
    }
    if (i == 0 && ReadFirstHeading(name, units, cells[i].column)) continue;
    // A first column said to rise as times do needs no word on a unit for its values.
    const bool noted = i == 0 && mFirstColumnNoted;
    const double largest = mOptions.notes && !noted && units.empty() ? LargestValue(i) : 0.0;
    const std::string note = mOptions.notes && !noted ? UnitNote(name, units, largest) : std::string();
    if (!note.empty()) mOptions.notes->push_back(note);
    mRecording.channels.push_back({Widen(name), Widen(units), L""});
    mPrefixes.push_back(SplitUnitText(mRecording.channels.back().units).prefix);
  }
  if (mRecording.channels.empty()) Fail(mLineNo, 1, "the header names no channel");
  if (!mHasTime && !(mOptions.rateHz > 0.0))
    Fail(mLineNo, 1, UntimedRefusal(cells[0].text));
  mCellCount = cells.size();
  for (const Cell& cell : cells) mHeadings.emplace_back(cell.text);
}

// Whether the first heading is the Time column's; one that holds times the reader cannot take
// as such (or a rate given beside them) is refused.
bool Reader::ReadFirstHeading(std::string_view name, std::string_view units, int column) {
  const std::vector<double> values = ColumnValues(mText.substr(std::min(mPos, mText.size())), mSeparator, 0,
                                                  kFirstValuesJudged);
  const FirstColumnVerdict verdict = JudgeFirstColumn(name, units, values, mOptions.rateHz > 0.0);
  if (verdict.time && !verdict.refusal.empty()) throw RecordingRateConflict(mFile, mLineNo, column, verdict.refusal);
  if (!verdict.refusal.empty()) Fail(mLineNo, column, verdict.refusal);
  mFirstColumnNoted = !verdict.note.empty();
  if (mOptions.notes && mFirstColumnNoted) mOptions.notes->push_back(verdict.note);
  if (!verdict.time) return false;
  mHasTime = true;
  mTimeUnitNoted = !units.empty();
  return true;
}

// The largest magnitude among the first values in a column (from 0) after the header; 0 without one.
double Reader::LargestValue(size_t column) const {
  double largest = 0.0;
  for (const double value : ColumnValues(mText.substr(std::min(mPos, mText.size())), mSeparator, column,
                                         kFirstValuesJudged))
    largest = std::max(largest, std::fabs(value));
  return largest;
}

// The table counts times from each record's start, whatever the file's first time: said once.
void Reader::NoteTimeStart(double firstTime) {
  if (!mOptions.notes || mTimeStartNoted || !mHasTime || firstTime == 0.0) return;
  mTimeStartNoted = true;
  const size_t record = mRecording.records.size() + 1;
  mOptions.notes->push_back("the Time column starts at " + NumberText(firstTime, 15) + " s" +
                            (record > 1 ? " in record " + std::to_string(record) : std::string()) +
                            ": times in the table count from each record's start");
}

// Times without a unit are seconds: the rate they give is said once, so that times written in
// milliseconds or minutes show as a rate a thousand times too low or sixty times too high.
void Reader::NoteTimeUnit(double period) {
  if (!mOptions.notes || mTimeUnitNoted) return;
  mTimeUnitNoted = true;
  mOptions.notes->push_back(TimeUnitNote(mHeadings[0], period));
}

void Reader::ReadRow(std::string_view line) {
  const std::vector<Cell> cells = Cells(line);
  if (cells.size() != mCellCount) {
    const int column = cells.size() > mCellCount ? cells[mCellCount].column : static_cast<int>(line.size()) + 1;
    Fail(mLineNo, column,
         "expected " + std::to_string(mCellCount) + " values, found " + std::to_string(cells.size()));
  }
  if (mLength == 0) {
    mValues.assign(mRecording.channels.size(), std::vector<float>());
    mTimeDigit = INT_MAX;
    mFirstLine = mLineNo;
  }
  if (mLength == INT32_MAX - 1) Fail(mLineNo, 1, "record too long");
  for (size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].text.empty())
      Fail(mLineNo, cells[i].column,
           "empty value in column " + std::to_string(i + 1) + " (" + QuoteInput(mHeadings[i]) +
               "): give each cell a number, or delete the column if it has none");
    double value = ReadNumber(cells[i]);
    if (mHasTime && i == 0) {
      mTimes.push_back(value);
      mTimeDigit = std::min(mTimeDigit, WrittenDigit(cells[i].text));
      continue;
    }
    const size_t channel = mHasTime ? i - 1 : i;
    value = ToBaseUnit(value, mPrefixes[channel]);
    if (std::fabs(value) > 3.4028234663852886e38)
      Fail(mLineNo, cells[i].column, QuoteInput(cells[i].text) + " is out of the range of a sample");
    mValues[channel].push_back(static_cast<float>(value));
  }
  ++mLength;
}

// The analysis keeps times in milliseconds as floats and counts 32-bit ticks: beyond these
// sampling intervals its times, widths and slopes come out blank or 0 without a word.
void Reader::CheckTickPeriod(double period) const {
  if (period >= kShortestTickPeriod && period <= kLongestTickPeriod) return;
  const std::string interval = mHasTime ? "the sampling interval is "
                                        : "--rate " + NumberText(mOptions.rateHz) + " gives a sampling interval of ";
  Fail(mFirstLine, 1, interval + NumberText(period) + " s, which no tick holds: the reader takes " +
                          NumberText(kShortestTickPeriod) + " s (1 GHz) to " + NumberText(kLongestTickPeriod) + " s");
}

void Reader::FinishRecord() {
  const int n = mLength;
  double period = mOptions.rateHz > 0.0 ? 1.0 / mOptions.rateHz : 0.0;
  if (mHasTime && n >= 2) {
    const EvenTicks ticks = FitEvenTicks(mTimes, mTimeDigit);
    if (!(ticks.period > 0.0)) Fail(mFirstLine + 1, 1, "time does not increase");
    if (ticks.unevenAt > 0)
      Fail(mFirstLine + ticks.unevenAt, 1,
           "time " + NumberText(mTimes[ticks.unevenAt], 15) + " does not follow the record's even tick period");
    period = ticks.period;
  } else if (mHasTime && !mRecording.records.empty()) {
    period = mRecording.records.back().tickPeriod;
  }
  if (period > 0.0) CheckTickPeriod(period);
  const double firstTime = mHasTime ? mTimes[0] : 0.0;
  if (mHasTime && !(period > 0.0)) {
    // A first record of one line: the first record of two or more gives its period.
    mWaiting.push_back({std::move(mValues), firstTime, mFirstLine});
  } else {
    if (!(period > 0.0)) Fail(mFirstLine, 1, "a record of one line gives no tick period");
    for (WaitingRecord& waiting : mWaiting) StoreRecord(waiting.values, 1, waiting.time, period);
    mWaiting.clear();
    StoreRecord(mValues, n, firstTime, period);
  }
  mLength = 0;
  mValues.clear();
  mTimes.clear();
}

void Reader::StoreRecord(std::vector<std::vector<float>>& values, int32_t length, double firstTime, double period) {
  NoteTimeUnit(period);
  NoteTimeStart(firstTime);
  RecordData record = MakeEmptyRecord(mRecording.channels.size(), period, true);
  record.length = length;
  for (size_t c = 0; c < values.size(); ++c) record.samples[c]->Append(values[c].data(), length);
  mRecording.records.push_back(std::move(record));
}

Recording Reader::Run() {
  std::string_view line;
  if (!NextLine(&line) || IsBlank(line)) Fail(1, 1, "no header line");
  ReadHeader(line);
  int blankRun = 0;        // blank lines since the last row
  int firstBlankLine = 0;  // the first of them
  while (NextLine(&line)) {
    if (IsBlank(line)) {
      if (mLength > 0) FinishRecord();
      if (blankRun++ == 0) firstBlankLine = mLineNo;
      continue;
    }
    // Blank lines at the end of the file are harmless; before more rows, each one beyond the
    // record separator would stand for a record without samples.
    if (blankRun > 0 && mRecording.records.empty() && mWaiting.empty())
      Fail(firstBlankLine, 1, "empty record: blank line before the first row");
    if (blankRun > 1) Fail(firstBlankLine + 1, 1, "empty record: more than one blank line");
    blankRun = 0;
    ReadRow(line);
  }
  if (mLength > 0) FinishRecord();
  if (!mWaiting.empty()) Fail(mWaiting.front().line, 1, "a record of one line gives no tick period");
  if (mRecording.records.empty()) Fail(mLineNo, 1, "no samples after the header");
  return std::move(mRecording);
}

// UTF-16 text after its byte order mark, as UTF-8.
std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian, const std::string& fileName) {
  if (bytes.size() % 2 != 0) throw RecordingFileError(fileName, 1, 1, "UTF-16 text with an odd number of bytes");
  std::wstring wide(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < wide.size(); ++i) {
    const unsigned hi = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 0 : 1)]);
    const unsigned lo = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 1 : 0)]);
    wide[i] = static_cast<wchar_t>(hi << 8 | lo);
  }
  return Utf8FromWide(wide);
}

// Closes a file handle when the reading ends.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : mHandle(handle) {}
  ~FileHandle() {
    if (mHandle != INVALID_HANDLE_VALUE) CloseHandle(mHandle);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE Get() const { return mHandle; }

 private:
  HANDLE mHandle;
};

// Whether the path names a device: its full form is in the device namespace ("con.csv" is
// "\\.\con"), so it is not even opened.
bool NamesDevice(const std::wstring& path) {
  wchar_t full[MAX_PATH];
  const DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return n >= 4 && n < MAX_PATH && std::wstring_view(full, 4) == L"\\\\.\\";
}

}  // namespace

Recording ParseRecordingText(std::string_view text, const std::string& fileName,
                             const RecordingReadOptions& options) {
  const std::string encoding = EncodingRefusal(text);
  if (!encoding.empty()) throw RecordingFileError(fileName, 1, 1, encoding);
  const auto opensWith = [&](const char* mark) { return text.substr(0, 2) == std::string_view(mark, 2); };
  if (opensWith("\xFF\xFE") || opensWith("\xFE\xFF")) {
    const std::string utf8 = Utf8FromUtf16(text.substr(2), opensWith("\xFE\xFF"), fileName);
    return Reader(utf8, fileName, options).Run();
  }
  // ASCII text in UTF-16 has a NUL in every other byte.
  if (text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0'))
    throw RecordingFileError(fileName, 1, 1,
                             std::string("the text is UTF-16 (") + (text[0] == '\0' ? "big" : "little") +
                                 "-endian) without a byte order mark: save it as UTF-8, or as UTF-16 with one");
  return Reader(text, fileName, options).Run();
}

// Only a disk file is read: a device name ("nul", "aux.csv", "com1") would block on a port or
// read as empty, and a pipe may never end.
Recording ReadRecordingFile(const std::string& path, const RecordingReadOptions& options) {
  const std::wstring widePath = WideFromUtf8(path);
  const std::wstring device = ReservedDeviceName(widePath);
  if (!device.empty())
    throw RecordingFileError(path, 0, 0,
                             "Windows reserves the name " + QuoteInput(device) + " for a device: rename the file");
  if (NamesDevice(widePath)) throw RecordingFileError(path, 0, 0, "not a regular file");
  const DWORD attributes = GetFileAttributesW(widePath.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw RecordingFileError(path, 0, 0, "not a regular file");
  const FileHandle file(CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    throw RecordingFileError(path, 0, 0,
                             error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? "no such file"
                             : error == ERROR_ACCESS_DENIED ? "cannot open the file: access is denied"
                                                            : "cannot open the file");
  }
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) throw RecordingFileError(path, 0, 0, "not a regular file");
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.Get(), &size)) throw RecordingFileError(path, 0, 0, "cannot read the file");
  if (static_cast<unsigned long long>(size.QuadPart) >= 0x7FFFFFFFull) throw std::bad_alloc();
  // Not a std::string: its longest text here is 1 GB, far less than a large-address-aware host holds.
  const size_t length = static_cast<size_t>(size.QuadPart);
  const std::unique_ptr<char[]> content(new char[length + 1]);
  size_t got = 0;
  while (got < length) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(length - got, 1u << 24));
    if (!ReadFile(file.Get(), content.get() + got, want, &n, nullptr))
      throw RecordingFileError(path, 0, 0, "cannot read the file");
    if (n == 0) break;  // the file shrank while being read
    got += n;
  }
  if (options.notes) return ParseRecordingText(std::string_view(content.get(), got), path, options);
  std::vector<std::string> notes;
  RecordingReadOptions noting = options;
  noting.notes = &notes;
  Recording recording = ParseRecordingText(std::string_view(content.get(), got), path, noting);
  for (const std::string& note : notes) PrintMessageLine(note);
  return recording;
}

}  // namespace host
