// The files the module writes beside a target before they take its name ("table.txt.~1f4-3.tmp"):
// named after the target, so that one a killed export left tells which file it belongs to, and
// the next export to that target removes it. The host names the files of its own saves alike.
#pragma once

#include <string>

namespace QOR {

// The name beside target of this process's attempt'th file: target's own, then ".~", the process
// id and attempt in hex and ".tmp".
std::wstring BesideFileName(const std::wstring& target, unsigned attempt);

// Removes the files beside target that a process no longer running left (named with this
// process's id too: an earlier run had it), unless a writer holds one locked: a running export's,
// or one of a writer under another Wine server, whose ids are its own. Files of other names stay.
void RemoveStaleBesideFiles(const std::wstring& target);

}  // namespace QOR
