// Files written whole or not at all, by the module and the stand-in host alike: the bytes go to a
// new file beside the target, which takes the target's name only once every byte and the close
// reached the disk, so that a full disk, a failed write, a cancel or a kill leaves the file there
// before as it was, byte for byte, and a reader finds the old file or the new one, never a part.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace WholeFile {

// The new file beside the target, written through one handle with every write checked; shared
// for reading only and locked whole, so that no other program writes or removes it meanwhile and
// one that finds it locked, under another Wine server too, knows it is being written.
class ReplacingFile {
 public:
  // Appends the bytes; nothing more is written after the first failure. False once one failed.
  bool Write(std::string_view bytes);
  // ERROR_SUCCESS, or the first Windows error met (ERROR_DISK_FULL when a write found no room).
  DWORD Error() const noexcept { return mError; }

 private:
  friend HRESULT WriteReplacing(const std::wstring&, const std::function<HRESULT(ReplacingFile&)>&);
  explicit ReplacingFile(const std::wstring& path);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // Brings the bytes to the disk and closes the file: Error() then.
  DWORD Finish();

  HANDLE mFile;
  DWORD mError = ERROR_SUCCESS;
};

// Calls write with the new file beside path (named after path as the file system stores it, see
// BesideFiles.h), locked until it is closed; when write answers S_OK and every byte and the close
// reached the disk, that file takes path's hidden, system and not-indexed attributes and replaces
// it (a program holding path open gets a second to close it); otherwise, or when write throws, it
// is removed and path stays as it was. A read-only path is not replaced, nor anything written:
// Windows refuses the rename, but Wine does not, so it is asked first. Files a killed writer left
// beside path are removed first. S_OK; write's own answer when it is not S_OK (S_FALSE: cancelled);
// HRESULT_FROM_WIN32(ERROR_FILE_READ_ONLY) for a read-only path; else the Windows error met
// making, writing, closing or renaming the file, as an HRESULT.
HRESULT WriteReplacing(const std::wstring& path, const std::function<HRESULT(ReplacingFile&)>& write);

// The bytes written so.
HRESULT WriteBytesReplacing(const std::wstring& path, std::string_view bytes);

// Whether path's folder takes the new file written beside path: ERROR_SUCCESS, else the Windows
// error. path itself is neither made nor changed.
DWORD FileBesideProblem(const std::wstring& path);

}  // namespace WholeFile
