// The framework loader's steps, open to its tests.
#pragma once

#include <string>

namespace QOR {

// Full path of "Lumo.dll" in the host executable's folder, made canonical.
std::wstring FrameworkLibraryPath();
// LoadFrameworkLibrary with the library at path.
void LoadFrameworkLibraryFrom(const wchar_t* path);

}  // namespace QOR
