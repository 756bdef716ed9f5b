// Whether two paths name one file, however each is written: relative or absolute, in another
// letter case, with "." or "..", a short name, either separator, or through a link.
#pragma once

#include <string>

namespace host {

// True when both paths name a file (or folder) that exists and it is the same one: the same
// volume, file index, size and time of the last write, which a symbolic or hard link shares with
// its target. False when either is missing or cannot be asked about.
bool SameFile(const std::wstring& a, const std::wstring& b);

// True when writing a and writing b would write one file: both name a file that exists and it is
// the same one, or neither does and the deepest folder of each that exists is the same one, with
// the same names below it but for letter case (two new files of one folder reached through a link
// or spelled apart). False when either is empty.
bool NameOneFile(const std::wstring& a, const std::wstring& b);

}  // namespace host
