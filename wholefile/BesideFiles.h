// The files written beside a target before they take its name ("table.txt.~1f4-3.tmp"): named
// after the target, so that one a killed writer left tells which file it belongs to, and the next
// write of that target removes it.
#pragma once

#include <string>

namespace WholeFile {

// path as the file system stores it: Windows drops the dots and spaces that end a path's last
// name ("tdot.txt. " is the file tdot.txt), unless the path is given literally ("\\?\...") or the
// name is nothing else (".", "..").
std::wstring StoredPath(const std::wstring& path);

// The name beside target (as stored) of this process's attempt'th file: target's own, then ".~",
// the process id and attempt in lower-case hex without leading zeros, and ".tmp".
std::wstring BesideFileName(const std::wstring& target, unsigned attempt);

// The id of the process that named a file in target's folder so, when name (a name in that
// folder, without it) is exactly of that form for target (whose name is compared without regard
// to letter case, as the file system does); 0 for any other name.
unsigned long BesideFileWriter(const std::wstring& target, const std::wstring& name);

// Removes the files beside target (as stored) that a process no longer running left (named with
// this process's id too: an earlier run had it), unless a writer holds one locked: a running
// write's, or one under another Wine server, whose ids are its own. Only plain files of exactly
// the writer's form go: never a symbolic link (Wine's DeleteFileW removes the file it points to),
// a file of several names, a read-only file or a folder.
void RemoveLeftovers(const std::wstring& target);

}  // namespace WholeFile
