// What the recording reader says of a file whose first line it cannot take as the header: text
// in an encoding it does not read, a comment or title line before the header, a file without
// one, a units row under it, an index column, a separator ending each line, a Time column out
// of place.
#pragma once

#include <string>
#include <string_view>

namespace host {

// The refusal of text the reader takes in no encoding it reads: UTF-32 (with or without its byte
// order mark) and a UTF-8 byte order mark written twice; empty for any other text.
std::string EncodingRefusal(std::string_view text);

// Whether a header cell names the Time column: "Time" in any case, with or without a unit.
bool NamesTime(std::string_view cell);

// A first line that is a comment ("# exported by ...", "% ...", "// ..."): the refusal naming it
// and, when a later line among the first few reads as the header, that line; when the line is
// itself the header behind a comment mark ("# Time [s],Vm [mV]"), the mark to remove. Empty for
// another line.
std::string CommentLineRefusal(std::string_view line, std::string_view rest);

// Where a header fault lies (line from 1 at the header, column from 1) and what it is; no words
// when there is none.
struct HeaderFault {
  int line = 1;
  int column = 1;
  std::string what;
};

// What the first line and the lines after it (rest) plainly show of a file laid out otherwise
// than header then samples: only numbers on the first line (no header), a title line before the
// header (or set apart by blank lines above samples no header names), units on the line under it, a first heading left empty (a spreadsheet's index column),
// a separator at the end of the header. Nothing for a line that may be the header: a fault it
// does not name is left to the reader. A units row is named with the bracket form of each heading
// that gives no unit (only its removal where all do). Where no rate is given (`rateGiven`) and the
// header found (after a title line, or above a units row) has no Time column, the words ask for
// one: the rate a line before the header gives as a key and its value ("Sampling rate,20000"),
// named with its line, else "--rate HZ". Each change named, made, leaves a header that reads.
HeaderFault HeaderLayoutFault(std::string_view line, std::string_view rest, bool rateGiven);

// A Time column at the column-th place (from 1), not the first: the refusal saying where it goes.
std::string TimeColumnRefusal(std::string_view cell, size_t column);

// A first column that is no Time column and no rate given: the refusal naming what the first cell
// holds and both ways on.
std::string UntimedRefusal(std::string_view firstCell);

}  // namespace host
