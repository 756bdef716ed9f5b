// Reading a decimal number in the classic notation ('.' as the decimal point), whatever locale
// the C runtime has been given.
#pragma once

namespace QOR {

// Reads the longest number at the start of text as wcstod does in the "C" locale: leading
// blanks, an optional sign, digits with an optional '.' and fraction (one digit at least), an
// optional exponent ('e' or 'E', optional sign, digits). No "inf", "nan" or hexadecimal forms.
// end (may be null) gets the first unit not read, text itself when no number is there; the
// value is then 0. Beyond the range of double the answer is +-HUGE_VAL.
double ReadClassicNumber(const wchar_t* text, const wchar_t** end) noexcept;

// The end of the number that starts right at text (no blanks skipped) in the grammar above, or
// null when none starts there; an exponent without digits is not part of it ("1e" ends at 'e').
const wchar_t* ClassicNumberEnd(const wchar_t* text) noexcept;

}  // namespace QOR
