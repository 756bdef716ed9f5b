// Files the module writes for the user, written whole or not at all: the bytes go to a new file
// beside the target, which takes the target's name only once every byte and the close reached
// the disk, so that a full disk, a failed write or a cancel leaves the file there before as it
// was, byte for byte.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace QOR {

// The new file beside the target, written through one handle with every write checked; shared
// for reading only and locked whole, so that no other program writes or removes it meanwhile.
class ReplacingFile {
 public:
  // Appends the bytes; nothing more is written after the first failure. False once one failed.
  bool Write(std::string_view bytes);
  // ERROR_SUCCESS, or the first Windows error met (ERROR_DISK_FULL when a write found no room).
  DWORD Error() const noexcept { return mError; }

 private:
  friend HRESULT WriteFileReplacing(const std::wstring&, const std::function<HRESULT(ReplacingFile&)>&);
  explicit ReplacingFile(const std::wstring& path);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  DWORD Finish();

  HANDLE mFile;
  DWORD mError = ERROR_SUCCESS;
};

// Calls write with the new file beside path ("path.~PID-N.tmp", see BesideFiles.h), locked until
// it is closed; when write answers S_OK and every byte and the close reached the disk, that file
// takes path's hidden, system and not-indexed attributes and replaces it (a program holding path
// open gets a second to close it); otherwise it is removed and path stays as it was. Files a
// killed export left beside path are removed first. S_OK; write's own answer when it is not S_OK
// (S_FALSE: cancelled); else the Windows error met making, writing, closing or renaming the file,
// as an HRESULT.
HRESULT WriteFileReplacing(const std::wstring& path, const std::function<HRESULT(ReplacingFile&)>& write);

}  // namespace QOR
