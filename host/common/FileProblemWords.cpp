// The causes of files that cannot be written, in words.
#include "host/common/FileProblemWords.h"

#include "host/common/MessageText.h"
#include "wholefile/ReplacingFile.h"

namespace host {

namespace {

constexpr const wchar_t* kDevices[] = {L"con", L"prn", L"aux", L"nul"};
constexpr const wchar_t* kNumberedDevices[] = {L"com", L"lpt"};

constexpr const char kReadOnlyWords[] = "it is read-only: clear its read-only attribute, or choose another name";

bool SameNoCase(const std::wstring& a, const wchar_t* b) { return _wcsicmp(a.c_str(), b) == 0; }

// A device's name: CON, PRN, AUX, NUL, or COM or LPT and a digit from 1 to 9.
bool NamesDevice(const std::wstring& stem) {
  for (const wchar_t* device : kDevices)
    if (SameNoCase(stem, device)) return true;
  if (stem.size() != 4 || stem[3] < L'1' || stem[3] > L'9') return false;
  for (const wchar_t* device : kNumberedDevices)
    if (SameNoCase(stem.substr(0, 3), device)) return true;
  return false;
}

// Whether another program holds the file open so that it may not be replaced.
bool HeldElsewhere(const std::wstring& path) {
  HANDLE const file = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

std::string AccessDeniedWords(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return kReadOnlyWords;
  if (attributes != INVALID_FILE_ATTRIBUTES && HeldElsewhere(path))
    return "another program holds it open: close it there, or choose another name";
  if (attributes == INVALID_FILE_ATTRIBUTES || WholeFile::FileBesideProblem(path) == ERROR_ACCESS_DENIED)
    return "its folder may not be written (access is denied)";
  return "access is denied";
}

}  // namespace

std::string SystemErrorWords(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                          FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words = length && text ? std::wstring(text, length) : L"Windows error " + std::to_wstring(error);
  LocalFree(text);
  while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L'.')) words.pop_back();
  return Utf8FromWide(words);
}

std::wstring ReservedDeviceName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/:");
  const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  std::wstring stem = name.substr(0, name.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.pop_back();
  return NamesDevice(stem) ? stem : std::wstring();
}

std::string FileProblemWords(const std::wstring& path, DWORD error) {
  const std::wstring device = ReservedDeviceName(path);
  if (!device.empty())
    return "Windows reserves the name " + QuoteInput(device) + " for a device: choose another name";
  switch (error) {
    case ERROR_PATH_NOT_FOUND:
      return "its folder does not exist";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "there is no room left on its disk";
    case ERROR_WRITE_PROTECT:
      return "its disk is read-only";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return "another program holds it open: close it there, or choose another name";
    case ERROR_ACCESS_DENIED:
      return AccessDeniedWords(path);
    case ERROR_FILE_READ_ONLY:  // the writer's refusal of a read-only file
      return kReadOnlyWords;
    default:
      return SystemErrorWords(error);
  }
}

std::string SaveProblemWords(const std::wstring& path, HRESULT hr) {
  if (HRESULT_FACILITY(hr) == FACILITY_WIN32) return FileProblemWords(path, HRESULT_CODE(hr));
  if (hr == STG_E_MEDIUMFULL) return FileProblemWords(path, ERROR_DISK_FULL);
  return HexCode(static_cast<unsigned long>(hr));
}

}  // namespace host
