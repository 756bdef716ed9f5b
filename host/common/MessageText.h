// Text for messages: conversions between UTF-8 and UTF-16, and input quoted so that a message
// stays one short, printable line whatever the input holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

// Characters of input a message quotes before it cuts with "...".
constexpr size_t kQuotedCharacters = 40;

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

// UTF-8 to UTF-16; each byte that is not part of a valid sequence becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view text);

// Characters that show as nothing or as an ordinary space: spaces other than U+0020 (no-break,
// ideographic, of set widths), zero-width characters, direction marks, the soft hyphen and the
// byte order mark (U+FEFF).
bool IsInvisibleCharacter(char32_t c);

// The text between single quotes, in UTF-8: at most kQuotedCharacters characters, then "..."
// and how many characters there were in all ("'12...' (300000 characters)") when there were
// more; control characters (NUL included), bytes that are not UTF-8 and
// unpaired surrogates are written as \xNN or \uNNNN, and so are invisible characters
// ('m\u00A0V'), so that the quote shows what the input holds.
std::string QuoteInput(std::string_view utf8);
std::string QuoteInput(std::wstring_view text);

// Writes one line of a message, UTF-8, on stderr whatever the console's code page.
void PrintMessageLine(std::string_view utf8);

// A number as messages write it: "%g" with that many significant figures, classic notation
// (1e+308, not 309 digits).
std::string NumberText(double value, int figures = 6);

// The significant figures whose "%g" text reads back (strtod) to exactly the value: 6 when that
// does ("%g" drops the trailing zeros, so that the text is the shortest: "0.03", "50", "2e+09"),
// else the fewest more (at most 17, always enough); 6 for infinities and NaN. A number a message
// gives the user to type back, or quotes from a setting, is written with them: it reads as the
// user typed it (never "0.029999999999999999", nor a figure short of what was typed), and typing
// it gives that double.
int ExactFigures(double value);
std::string ExactNumberText(double value);

// An HRESULT or other 32-bit code as messages write it: "0x80004005".
std::string HexCode(unsigned long code);

}  // namespace host
