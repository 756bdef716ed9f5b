// What a save that replaces a file keeps of it: the attributes the file shows of itself, and the
// file itself while another program holds it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace testsupport {

// save(path, text) writes text over path, a file in a new folder of its own. For each set of the
// hidden, system and not-indexed attributes (as far as the disk keeps them) given to path before
// a save, the test fails where path then holds another text or shows another set; then, while a
// reader holds path open without letting it be removed, where the save does not fail with a
// sharing violation or access denied, path does not stay as it was or another file is left in
// the folder.
void ExpectReplacingKeepsTheTarget(
    const std::function<HRESULT(const std::wstring& path, const std::string& text)>& save);

}  // namespace testsupport
