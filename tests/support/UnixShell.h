// Commands of the machine under Wine, run as its user runs them in a terminal: symbolic links
// (Wine's CreateSymbolicLinkW makes none) and their removal (Wine's DeleteFileW removes the file a
// link points to).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

namespace unix_shell {

using DosName = wchar_t*(CDECL*)(const char*);
using UnixName = char*(CDECL*)(const wchar_t*);

template <typename F>
F WineFunction(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), name)));
}

// path as the machine names it, quoted for a command line; empty when Wine cannot say.
inline std::wstring QuotedUnixPath(const std::wstring& path) {
  const auto unixName = WineFunction<UnixName>("wine_get_unix_file_name");
  char* const name = unixName ? unixName(path.c_str()) : nullptr;
  if (!name) return std::wstring();
  const int units = MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(units > 0 ? units : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, name, -1, &wide[0], units);
  HeapFree(GetProcessHeap(), 0, name);
  wide.resize(wide.size() - 1);
  return L"\"" + wide + L"\"";
}

}  // namespace unix_shell

// Runs script with /bin/sh, the arguments (Windows paths) given to it as the machine's paths in
// $1, $2, ..., and waits until it is done. Wine starts a Unix program without a handle to wait on,
// so the script makes a mark file in folder last, which a change notification on folder tells of.
// False when not under Wine, or when the mark did not come within a minute.
inline bool RunUnixShell(const std::wstring& folder, const std::wstring& script,
                         const std::vector<std::wstring>& arguments) {
  const auto dosName = unix_shell::WineFunction<unix_shell::DosName>("wine_get_dos_file_name");
  wchar_t* const shell = dosName ? dosName("/bin/sh") : nullptr;
  if (!shell) return false;
  const std::wstring program = shell;
  HeapFree(GetProcessHeap(), 0, shell);
  const std::wstring mark = folder + L"\\unix-shell-done";
  std::wstring quoted;
  for (const wchar_t c : script + L"; : > \"$0\"") quoted += c == L'"' ? std::wstring(L"\\\"") : std::wstring(1, c);
  std::wstring command = L"\"" + program + L"\" -c \"" + quoted + L"\" " + unix_shell::QuotedUnixPath(mark);
  for (const std::wstring& argument : arguments) command += L" " + unix_shell::QuotedUnixPath(argument);
  const auto watch = [&folder] {
    return FindFirstChangeNotificationW(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
  };
  HANDLE changes = watch();
  if (changes == INVALID_HANDLE_VALUE) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  bool done = CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &started) != FALSE;
  if (started.hProcess) CloseHandle(started.hProcess);
  if (started.hThread) CloseHandle(started.hThread);
  while (done && GetFileAttributesW(mark.c_str()) == INVALID_FILE_ATTRIBUTES) {
    done = WaitForSingleObject(changes, 60000) == WAIT_OBJECT_0;
    // Wine's re-arming fails when more changes came than it kept: watch anew (the mark is looked
    // for again after the new watch starts, so none is missed).
    if (done && !FindNextChangeNotification(changes)) {
      FindCloseChangeNotification(changes);
      changes = watch();
      done = changes != INVALID_HANDLE_VALUE;
    }
  }
  if (changes != INVALID_HANDLE_VALUE) FindCloseChangeNotification(changes);
  return DeleteFileW(mark.c_str()) && done;
}

// Makes link a symbolic link to target, as ln -s does.
inline bool MakeSymbolicLink(const std::wstring& target, const std::wstring& link) {
  return RunUnixShell(link.substr(0, link.find_last_of(L'\\')), L"ln -s -- \"$1\" \"$2\"", {target, link});
}

// Removes folder with everything in it, links themselves and read-only files too, as rm -rf does.
// The mark goes to a folder of its own beside it, which nothing else changes.
inline bool RemoveTree(const std::wstring& folder) {
  const std::wstring marks = folder + L".done";
  if (!CreateDirectoryW(marks.c_str(), nullptr)) return false;
  const bool removed = RunUnixShell(marks, L"rm -rf -- \"$1\"", {folder});
  return RemoveDirectoryW(marks.c_str()) && removed;
}

}  // namespace testsupport
