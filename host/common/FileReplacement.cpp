// Files written beside their target and renamed over it.
#include "host/common/FileReplacement.h"

#include "host/common/TemporaryFile.h"

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

DWORD FileBesideProblem(const std::wstring& path) { return TemporaryFile(FolderOf(path)).Error(); }

HRESULT WriteReplacing(const std::wstring& path, const std::function<HRESULT(const std::wstring& beside)>& write) {
  TemporaryFile beside(FolderOf(path));
  if (beside.Name().empty()) return HRESULT_FROM_WIN32(beside.Error());
  const HRESULT written = write(beside.Name());
  if (FAILED(written)) return written;
  const DWORD error = Replace(beside.Name(), path);
  if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
  beside.Keep();
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
