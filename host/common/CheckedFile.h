// A new file written through one handle, each write and the close checked: what a save writes
// before it takes its target's place.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace host {

class CheckedFile {
 public:
  // Makes the file at path, which must not be there yet (ERROR_FILE_EXISTS), shared for reading
  // only and locked whole until it is closed: no other program writes or removes it meanwhile,
  // and one that finds it locked, under another Wine server too, knows it is being written.
  explicit CheckedFile(const std::wstring& path);
  // Closes the file when Finish did not, keeping no promise about its bytes.
  ~CheckedFile();
  CheckedFile(const CheckedFile&) = delete;
  CheckedFile& operator=(const CheckedFile&) = delete;

  // Appends the bytes; nothing more is written after the first failure. False once one failed.
  bool Write(std::string_view bytes);
  // Brings the bytes to the disk and closes the file: ERROR_SUCCESS, or the first Windows error
  // met since the file was made (ERROR_DISK_FULL when a write found no room).
  DWORD Finish();
  DWORD Error() const noexcept { return mError; }

 private:
  HANDLE mFile;
  DWORD mError = ERROR_SUCCESS;
};

}  // namespace host
