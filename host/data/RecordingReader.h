// Reads a recording from comma- or tab-separated text: a header line naming the channels,
// then one line per tick, a blank line starting a new record.
#pragma once

#include "host/data/Recording.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// The sampling rates recordings are made at, 1 to 100 kHz: times in ms read as seconds give 1 to
// 100 Hz, below kHighestMsRate, and times in minutes 60 kHz to 6 MHz, of which those above
// kHighestUsualRate are surely no seconds. The ms bound leaves 1% for times rounded as written.
inline constexpr double kHighestMsRate = 101.0;
inline constexpr double kHighestUsualRate = 2e5;

// A malformed file: the message names file, line and column ("name:line:column: what").
class RecordingFileError : public std::runtime_error {
 public:
  RecordingFileError(const std::string& file, int line, int column, const std::string& what);
  int Line() const { return mLine; }
  int Column() const { return mColumn; }

 private:
  int mLine;
  int mColumn;
};

// A sampling rate given for a file whose Time column already gives the tick period.
class RecordingRateConflict : public RecordingFileError {
 public:
  using RecordingFileError::RecordingFileError;
};

struct RecordingReadOptions {
  // Samples per second for a file without a "Time" column; 0 when not given. A file with one
  // refuses a rate (RecordingRateConflict).
  double rateHz = 0.0;
  // Gets a line for each thing the file leaves to an assumption: "channel Vm has no unit in [ ]:
  // its values are read as base units", a unit the host does not know (read the same way), a Time
  // column that does not start at 0, a Time column without a unit (read as seconds) with the
  // sampling rate that makes. ReadRecordingFile prints them on stderr when not given.
  std::vector<std::string>* notes = nullptr;
};

// The first column may be "Time" or "Time [s]": seconds, from which each record's tick period
// is taken (its samples must be evenly spaced). Without it the rate gives the tick period.
// A first line holding only numbers, a title or units line around the header, an empty first
// heading and a separator ending the header are refused in words that name them.
// Other header cells name channels, optionally with a unit in brackets ("Vm [mV]"). Samples are
// kept in the unit's base unit: a unit with an SI prefix before a known base unit (mV, pA, nA)
// has its values scaled (60 in "Vm [mV]" is kept as 0.06); the channel's units text stays as
// written, and the units service reads it back as base unit and prefix. A unit the host does not
// know ("mv") is a base unit of its own, and a note names it; one holding a control character
// is refused. A first column "Time (s)" is refused, naming the bracket form.
// Cells are separated by tabs, semicolons or commas, whichever the header holds first in that
// order; with semicolons a decimal comma is read as a decimal point. A cell may be quoted ("V").
// Lines end in LF, CR LF or CR; the text is UTF-8, or UTF-16 when it opens with a byte order mark;
// a header line that is not UTF-8 is read as Windows-1252 ("Vm [\xB5V]" is in microvolts), and
// UTF-16 without a byte order mark is refused in words that name it.
Recording ParseRecordingText(std::string_view text, const std::string& fileName,
                             const RecordingReadOptions& options);

// Reads the whole file (path in UTF-8); a file that cannot be opened, or is no disk file (a
// device such as "nul" or "com1.csv", a pipe, a folder), is reported at line 0 as "path: what".
// Its notes go to options.notes, or one line each on stderr without it.
Recording ReadRecordingFile(const std::string& path, const RecordingReadOptions& options);

}  // namespace host
