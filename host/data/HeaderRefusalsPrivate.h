// What the recording reader says of a file whose first line it cannot take as the header: text
// in an encoding it does not read, a comment line before the header, a Time column out of place.
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

// A Time column at the column-th place (from 1), not the first: the refusal saying where it goes.
std::string TimeColumnRefusal(std::string_view cell, size_t column);

// A first column that is no Time column and no rate given: the refusal naming what the first cell
// holds and both ways on.
std::string UntimedRefusal(std::string_view firstCell);

}  // namespace host
