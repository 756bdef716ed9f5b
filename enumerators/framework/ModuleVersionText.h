// The module's version text, reported once to the host for pre-release and final builds.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace ExtLib {

// The file version and description of a version resource block (VS_VERSIONINFO), from its first
// string table; false when the block does not parse. A missing version reads "N/A".
bool ReadVersionStrings(const void* block, size_t bytes, std::wstring* version,
                        std::wstring* description);

// A version is reported when it holds no "N/A" and holds "lpha" or "eta", or "inal" without "ev".
bool VersionWorthReporting(const std::wstring& version);

// "<description> <version>", at most 256 characters.
std::wstring ComposeVersionText(const std::wstring& description, const std::wstring& version);

// Reads the module's version resource and hands the text to the host application, unless the
// host already holds a version text or the version is not worth reporting. Never throws.
void ModuleVersionText(HMODULE module) noexcept;

}  // namespace ExtLib
