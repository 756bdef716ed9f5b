// A file the host makes under a name no other file has, for a while: removed when it goes.
#pragma once

#include <windows.h>

#include <string>

namespace host {

class TemporaryFile {
 public:
  // A new, empty file in folder, as GetTempFileName takes a folder ("." for the current one,
  // "C:" for drive C's), or in the system's temporary folder when folder is empty.
  explicit TemporaryFile(const std::wstring& folder = std::wstring());
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Its path; empty when the folder takes no new file, Error() then saying why.
  const std::wstring& Name() const noexcept { return mName; }
  DWORD Error() const noexcept { return mError; }
  // The file has taken another one's place: it stays.
  void Keep() noexcept { mName.clear(); }

 private:
  std::wstring mName;
  DWORD mError = ERROR_SUCCESS;
};

}  // namespace host
