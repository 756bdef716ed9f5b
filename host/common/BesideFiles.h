// The files a save writes beside its target before they take its place: named after the target,
// so that one a killed run left tells which file it belongs to and the next save removes it.
#pragma once

#include <string>

namespace host {

// A new name beside target: target's own, then ".~", this process's id and a count in hex and
// ".tmp" ("table.txt.~1f4-3.tmp").
std::wstring BesideFileName(const std::wstring& target);

// Removes the files beside target whose process is no longer running (a run killed while it
// saved), those named with this process's id among them; one that another running process, or a
// writer under another Wine server, holds is left to it.
void RemoveStaleBesideFiles(const std::wstring& target);

}  // namespace host
