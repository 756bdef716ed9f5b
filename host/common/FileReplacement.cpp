// Files written beside their target and renamed over it.
#include "host/common/FileReplacement.h"

#include <cstdio>

namespace host {

namespace {

// Another program reading the target without letting it be replaced (Windows refuses the rename
// while such a handle is open) gets this many chances, this far apart, to close it.
constexpr int kReplaceTries = 50;
constexpr DWORD kReplaceRetryMs = 20;

// The folder path is in, as GetTempFileName takes it: "." for a bare name, "C:" for "C:name".
std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos) return path.substr(0, slash + 1);
  if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2);
  return L".";
}

// Removes the file beside the target unless it took the target's place.
class BesideFile {
 public:
  explicit BesideFile(std::wstring path) : mPath(std::move(path)) {}
  ~BesideFile() {
    if (!mPath.empty()) DeleteFileW(mPath.c_str());
  }
  BesideFile(const BesideFile&) = delete;
  BesideFile& operator=(const BesideFile&) = delete;
  const std::wstring& Path() const { return mPath; }
  void Placed() { mPath.clear(); }

 private:
  std::wstring mPath;
};

DWORD Replace(const std::wstring& from, const std::wstring& to) {
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

}  // namespace

std::wstring MakeFileBeside(const std::wstring& path, DWORD* error) {
  wchar_t made[MAX_PATH + 16] = {};
  if (GetTempFileNameW(FolderOf(path).c_str(), L"ond", 0, made) != 0) return made;
  *error = GetLastError();
  return std::wstring();
}

HRESULT WriteReplacing(const std::wstring& path, const std::function<HRESULT(const std::wstring& beside)>& write) {
  DWORD error = ERROR_SUCCESS;
  BesideFile beside(MakeFileBeside(path, &error));
  if (beside.Path().empty()) return HRESULT_FROM_WIN32(error);
  const HRESULT written = write(beside.Path());
  if (FAILED(written)) return written;
  error = Replace(beside.Path(), path);
  if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
  beside.Placed();
  return S_OK;
}

HRESULT WriteBytesReplacing(const std::wstring& path, std::string_view bytes) {
  return WriteReplacing(path, [bytes](const std::wstring& beside) {
    FILE* const file = _wfopen(beside.c_str(), L"wb");
    if (!file) return STG_E_CANTSAVE;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written ? S_OK : STG_E_CANTSAVE;
  });
}

}  // namespace host
