// A file the host makes under a name no other file has, for a while.
#include "host/common/TemporaryFile.h"

namespace host {

TemporaryFile::TemporaryFile(const std::wstring& folder) {
  wchar_t temporary[MAX_PATH + 1] = {};
  if (folder.empty() && GetTempPathW(MAX_PATH + 1, temporary) == 0) {
    mError = GetLastError();
    return;
  }
  wchar_t made[MAX_PATH + 16] = {};
  if (GetTempFileNameW(folder.empty() ? temporary : folder.c_str(), L"ond", 0, made) != 0)
    mName = made;
  else
    mError = GetLastError();
}

TemporaryFile::~TemporaryFile() {
  if (!mName.empty()) DeleteFileW(mName.c_str());
}

}  // namespace host
