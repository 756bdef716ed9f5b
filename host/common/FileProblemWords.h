// What a user reads when a file cannot be written: the cause in words, for a line that already
// names the file ("c.txt: --copy could not write it: there is no room left on its disk").
#pragma once

#include <windows.h>

#include <string>

namespace host {

// The words Windows has for an error, without the closing full stop; "Windows error N" when it
// has none.
std::string SystemErrorWords(DWORD error);

// When the last part of path is a name Windows keeps for a device ("con", "aux.csv", "COM1.txt"),
// the device's name as written there ("aux"); else empty.
std::wstring ReservedDeviceName(const std::wstring& path);

// The cause of a Windows error met making or replacing the file at path: a name Windows
// reserves, its folder missing or not taking files, no room left, the file or the disk read-only,
// another program holding it, access denied; the system's words for any other.
std::string FileProblemWords(const std::wstring& path, DWORD error);

// The same for what a save answered: a Windows error inside the HRESULT, else its code.
std::string SaveProblemWords(const std::wstring& path, HRESULT hr);

}  // namespace host
