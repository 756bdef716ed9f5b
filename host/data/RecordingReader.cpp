// Reads a recording from comma- or tab-separated text.
#include "host/data/RecordingReader.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

#include "host/common/UnitText.h"

namespace host {

RecordingFileError::RecordingFileError(const std::string& file, int line, int column,
                                       const std::string& what)
    : std::runtime_error(file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
                         what),
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

std::vector<Cell> SplitCells(std::string_view line, char separator) {
  std::vector<Cell> cells;
  size_t start = 0;
  for (;;) {
    const size_t end = line.find(separator, start);
    const std::string_view raw = line.substr(start, end == std::string_view::npos ? line.size() - start : end - start);
    int column = static_cast<int>(start) + 1;
    const std::string_view text = Trim(raw, &column);
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

std::wstring Widen(std::string_view s) {
  // Header names are ASCII or UTF-8; bytes beyond ASCII are kept one to one.
  std::wstring w;
  for (const char c : s) w.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return w;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

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
  void ReadHeader(std::string_view line);
  void ReadRow(std::string_view line);
  void FinishRecord();

  std::string_view mText;
  std::string mFile;
  RecordingReadOptions mOptions;
  size_t mPos = 0;
  int mLineNo = 0;
  char mSeparator = ',';
  bool mHasTime = false;
  size_t mCellCount = 0;
  Recording mRecording;
  std::vector<wchar_t> mPrefixes;  // per channel: the prefix of its unit, samples kept in the base unit
  // The record being read: its samples, its time column and the line of its first row.
  int32_t mLength = 0;
  std::vector<std::vector<float>> mValues;  // per channel
  std::vector<double> mTimes;
  int mFirstLine = 0;
};

bool Reader::NextLine(std::string_view* line) {
  if (mPos >= mText.size()) return false;
  size_t end = mText.find('\n', mPos);
  if (end == std::string_view::npos) end = mText.size();
  std::string_view l = mText.substr(mPos, end - mPos);
  if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
  mPos = end + 1;
  ++mLineNo;
  *line = l;
  return true;
}

void Reader::ReadHeader(std::string_view line) {
  if (line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xEF &&
      static_cast<unsigned char>(line[1]) == 0xBB && static_cast<unsigned char>(line[2]) == 0xBF)
    line.remove_prefix(3);  // UTF-8 byte order mark
  mSeparator = line.find('\t') != std::string_view::npos ? '\t' : ',';
  const std::vector<Cell> cells = SplitCells(line, mSeparator);
  for (size_t i = 0; i < cells.size(); ++i) {
    std::string_view name = cells[i].text;
    std::string_view units;
    if (name.empty()) Fail(mLineNo, cells[i].column, "empty channel name in the header");
    const size_t open = name.find('[');
    if (open != std::string_view::npos) {
      if (name.back() != ']')
        Fail(mLineNo, cells[i].column + static_cast<int>(open), "unit not closed by ']'");
      units = name.substr(open + 1, name.size() - open - 2);
      int dummy = 0;
      name = Trim(name.substr(0, open), &dummy);
      units = Trim(units, &dummy);
      if (name.empty()) Fail(mLineNo, cells[i].column, "channel without a name before its unit");
    }
    if (i == 0 && EqualsNoCase(name, "time")) {
      if (!units.empty() && units != "s")
        Fail(mLineNo, cells[i].column, "the Time column must be in seconds (\"Time [s]\")");
      mHasTime = true;
      continue;
    }
    mRecording.channels.push_back({Widen(name), Widen(units), L""});
    mPrefixes.push_back(SplitUnitText(mRecording.channels.back().units).prefix);
  }
  if (mRecording.channels.empty()) Fail(mLineNo, 1, "the header names no channel");
  if (!mHasTime && !(mOptions.rateHz > 0.0))
    Fail(mLineNo, 1, "no \"Time\" column and no sampling rate given");
  mCellCount = cells.size();
}

void Reader::ReadRow(std::string_view line) {
  const std::vector<Cell> cells = SplitCells(line, mSeparator);
  if (cells.size() != mCellCount) {
    const int column = cells.size() > mCellCount ? cells[mCellCount].column : static_cast<int>(line.size()) + 1;
    Fail(mLineNo, column,
         "expected " + std::to_string(mCellCount) + " values, found " + std::to_string(cells.size()));
  }
  if (mLength == 0) {
    mValues.assign(mRecording.channels.size(), std::vector<float>());
    mFirstLine = mLineNo;
  }
  if (mLength == INT32_MAX - 1) Fail(mLineNo, 1, "record too long");
  for (size_t i = 0; i < cells.size(); ++i) {
    const std::string_view t = cells[i].text;
    double value = 0.0;
    if (t.empty()) Fail(mLineNo, cells[i].column, "empty value");
    const char* first = t.data();
    // from_chars takes no plus sign; one is allowed before the digits, but not before a minus.
    if (*first == '+' && t.size() > 1 && t[1] != '-') ++first;
    const auto [end, ec] = std::from_chars(first, t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value))
      Fail(mLineNo, cells[i].column, "'" + std::string(t) + "' is not a finite number");
    if (mHasTime && i == 0) {
      mTimes.push_back(value);
      continue;
    }
    const size_t channel = mHasTime ? i - 1 : i;
    value = ToBaseUnit(value, mPrefixes[channel]);
    if (std::fabs(value) > 3.4028234663852886e38)
      Fail(mLineNo, cells[i].column, "'" + std::string(t) + "' is out of the range of a sample");
    mValues[channel].push_back(static_cast<float>(value));
  }
  ++mLength;
}

void Reader::FinishRecord() {
  const int n = mLength;
  double period = mOptions.rateHz > 0.0 ? 1.0 / mOptions.rateHz : 0.0;
  if (mHasTime && n >= 2) {
    // The span over the whole record, so that rounded time stamps still give the exact step.
    period = (mTimes[n - 1] - mTimes[0]) / (n - 1);
    if (!(period > 0.0)) Fail(mFirstLine + 1, 1, "time does not increase");
    for (int i = 1; i < n; ++i) {
      const double expected = mTimes[0] + i * period;
      if (std::fabs(mTimes[i] - expected) > 0.25 * period)
        Fail(mFirstLine + i, 1, "time " + std::to_string(mTimes[i]) +
                                    " does not follow the record's even tick period");
    }
  } else if (mHasTime && !mRecording.records.empty()) {
    period = mRecording.records.back().tickPeriod;
  }
  if (!(period > 0.0)) Fail(mFirstLine, 1, "a record of one line gives no tick period");
  RecordData record = MakeEmptyRecord(mRecording.channels.size(), period, true);
  record.length = n;
  for (size_t c = 0; c < mValues.size(); ++c) record.samples[c]->Append(mValues[c].data(), n);
  mRecording.records.push_back(std::move(record));
  mLength = 0;
  mValues.clear();
  mTimes.clear();
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
    if (blankRun > 0 && mRecording.records.empty())
      Fail(firstBlankLine, 1, "empty record: blank line before the first row");
    if (blankRun > 1) Fail(firstBlankLine + 1, 1, "empty record: more than one blank line");
    blankRun = 0;
    ReadRow(line);
  }
  if (mLength > 0) FinishRecord();
  if (mRecording.records.empty()) Fail(mLineNo, 1, "no samples after the header");
  return std::move(mRecording);
}

}  // namespace

Recording ParseRecordingText(std::string_view text, const std::string& fileName,
                             const RecordingReadOptions& options) {
  return Reader(text, fileName, options).Run();
}

Recording ReadRecordingFile(const std::string& path, const RecordingReadOptions& options) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RecordingFileError(path, 0, 0, "cannot open the file");
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw RecordingFileError(path, 0, 0, "cannot read the file");
  return ParseRecordingText(content.str(), path, options);
}

}  // namespace host
