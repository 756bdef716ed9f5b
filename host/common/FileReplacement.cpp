// Files written beside their target and renamed over it.
#include "host/common/FileReplacement.h"

#include "host/common/BesideFiles.h"

namespace host {

namespace {

// Another program reading the target without letting it be replaced (Windows refuses the rename
// while such a handle is open) gets this many chances, this far apart, to close it.
constexpr int kReplaceTries = 50;
constexpr DWORD kReplaceRetryMs = 20;

// Names tried for a file beside the target, and for the one that shows whether a folder takes a
// new file.
constexpr int kNameTries = 16;

// What the target shows of itself that its replacement takes on. Read-only is not among them: a
// read-only target is not replaced.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The new file takes the target's attributes and then its name. An attribute the disk does not
// keep is not worth the file.
DWORD Replace(const std::wstring& from, const std::wstring& to) {
  const DWORD attributes = GetFileAttributesW(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKeptAttributes))
    SetFileAttributesW(from.c_str(), GetFileAttributesW(from.c_str()) | (attributes & kKeptAttributes));
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < kReplaceTries; ++attempt) {
    if (attempt > 0) Sleep(kReplaceRetryMs);
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return ERROR_SUCCESS;
    error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) break;
  }
  return error;
}

// The file beside the target, removed unless it took the target's place.
class BesideFile {
 public:
  explicit BesideFile(const std::wstring& target) : mName(BesideFileName(target)) {}
  ~BesideFile() {
    if (!mName.empty()) DeleteFileW(mName.c_str());
  }
  BesideFile(const BesideFile&) = delete;
  BesideFile& operator=(const BesideFile&) = delete;
  const std::wstring& Name() const noexcept { return mName; }
  void Keep() noexcept { mName.clear(); }

 private:
  std::wstring mName;
};

// The file beside written through write, then brought to the disk and closed. A name another
// writer holds is left to it (beside then names nothing).
HRESULT Written(BesideFile& beside, const std::function<HRESULT(CheckedFile&)>& write) {
  CheckedFile file(beside.Name());
  if (file.Error() == ERROR_FILE_EXISTS) beside.Keep();
  if (file.Error() != ERROR_SUCCESS) return HRESULT_FROM_WIN32(file.Error());
  const HRESULT written = write(file);
  const DWORD error = file.Finish();
  if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
  return written;
}

}  // namespace

DWORD FileBesideProblem(const std::wstring& path) {
  DWORD error = ERROR_FILE_EXISTS;
  // A name a killed run left taken (the save removes such files) is passed over for the next.
  for (int attempt = 0; attempt < kNameTries && error == ERROR_FILE_EXISTS; ++attempt) {
    HANDLE const probe = CreateFileW(BesideFileName(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
      error = GetLastError();
      continue;
    }
    CloseHandle(probe);
    return ERROR_SUCCESS;
  }
  return error;
}

HRESULT WriteReplacing(const std::wstring& path, const std::function<HRESULT(CheckedFile& beside)>& write) {
  RemoveStaleBesideFiles(path);
  // Runs in other Wine prefixes have process ids of their own, this one's among them: a name one
  // of them writes under is passed over for the next.
  for (int attempt = 1;; ++attempt) {
    BesideFile beside(path);
    const HRESULT written = Written(beside, write);
    if (beside.Name().empty() && attempt < kNameTries) continue;
    if (FAILED(written)) return written;
    const DWORD error = Replace(beside.Name(), path);
    if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
    beside.Keep();
    return S_OK;
  }
}

HRESULT WriteBytesReplacing(const std::wstring& path, std::string_view bytes) {
  return WriteReplacing(path, [bytes](CheckedFile& beside) { return beside.Write(bytes) ? S_OK : S_FALSE; });
}

}  // namespace host
