// Strings from Windows string tables, with the product words put in place of their tokens.
#pragma once

#include "base/String.h"

#include <windows.h>

#include <cstdint>

namespace QORString {
class StringRep;
}

namespace QOR {

// The language of the application object, tried before the system's choice when a string is
// looked up; 0 (the default) while no application object exists. Its owner sets it.
void SetApplicationResourceLanguage(LANGID language) noexcept;
LANGID GetApplicationResourceLanguage() noexcept;

// The string with the given id in module's string table (null: the host executable), as a new
// rep with one reference; null when id is 0 or the string is absent or empty.
QORString::StringRep* LoadStringBlock(HMODULE module, uint32_t id);

// Replaces the upper-case product tokens by the installation's product words, row by row.
void SubstituteProductWords(String& text);

}  // namespace QOR
