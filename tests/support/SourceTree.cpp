// Files of the source tree, found from the folder the build names (ONDARA_SOURCE_DIR).
#include "tests/support/SourceTree.h"

#include <windows.h>

#ifndef ONDARA_SOURCE_DIR
#error "the build defines ONDARA_SOURCE_DIR, the source tree's folder"
#endif

namespace testsupport {
namespace {

// Wine turns a Unix path into the one its programs see (drive Z: is the file system's root); kernel32
// exports the conversion only under Wine.
std::wstring WindowsPathOf(const std::string& unixPath) {
  using DosFileNameFn = WCHAR*(CDECL*)(const char*);
  const auto dosFileName = reinterpret_cast<DosFileNameFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  if (WCHAR* const converted = dosFileName ? dosFileName(unixPath.c_str()) : nullptr) {
    const std::wstring path(converted);
    HeapFree(GetProcessHeap(), 0, converted);
    return path;
  }
  std::wstring path = L"Z:";
  for (const char c : unixPath) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return path;
}

// The narrow path in the code page narrow file names are read in.
std::string Narrow(const std::wstring& path) {
  const int size = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, &narrow[0], size, nullptr, nullptr);
  narrow.pop_back();  // the terminating zero
  return narrow;
}

}  // namespace

std::wstring SourcePathW(const std::string& relative) {
  return WindowsPathOf(std::string(ONDARA_SOURCE_DIR) + "/" + relative);
}

std::string SourcePath(const std::string& relative) { return Narrow(SourcePathW(relative)); }

std::wstring RecordingPathW(const std::string& name) { return SourcePathW("tests/data/recordings/" + name); }

std::string RecordingPath(const std::string& name) { return Narrow(RecordingPathW(name)); }

}  // namespace testsupport
