// How the recording reader tells whether the first column gives the times: by its heading, its
// unit and the numbers it holds, so that times under another heading are never analysed as a
// channel.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// The lines after the header whose cells tell whether the first column holds times, and what
// unit a channel without one is in.
inline constexpr size_t kFirstValuesJudged = 4096;

// The numbers in a column (from 0) of the lines of text up to the first blank line, at most
// `most` of them; reading stops at a cell that holds no number. With semicolons between cells a
// decimal comma stands for the point.
std::vector<double> ColumnValues(std::string_view text, char separator, size_t column, size_t most);

// What the first column is, and what the reader says of it.
struct FirstColumnVerdict {
  bool time = false;    // it gives the times (in seconds)
  std::string refusal;  // the file is refused in these words (with time set: a rate given as well); empty when not
  std::string note;     // a line on what the reader assumed; empty when nothing
};

// The first column's heading (its name and the unit in brackets, as the header splits them) and
// its first values: "Time" or "Time [s]" gives the times; so does a column in seconds under any
// other name ("t [s]", "Zeit [s]") whose values rise. Times written otherwise are refused with the
// change that makes them a Time column: "Time [sec]", "Time [ms]", a name whose brackets became
// '_' or '.' ("Time_s_", "Time..s."), a column in another unit of time or with its unit in
// parentheses whose values rise, and (without a rate) a column without a unit whose values rise
// evenly. With a rate, such a column is read as a channel and a note says so; a column that gives
// the times refuses a rate.
FirstColumnVerdict JudgeFirstColumn(std::string_view name, std::string_view units, const std::vector<double>& values,
                                    bool rateGiven);

}  // namespace host
