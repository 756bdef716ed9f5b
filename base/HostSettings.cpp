// Reading the host's settings file.
#include "base/HostSettings.h"

#include "base/ResourceString.h"

#include <windows.h>

#include <vector>

namespace QOR {

namespace {

std::wstring HostSettingsPath() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    DWORD const length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) break;
    path.resize(path.size() * 2);
  }
  std::wstring folder(path.data());
  folder.erase(folder.find_last_of(L'\\') + 1);
  return folder + L"Essential Files\\Ofig.qorini";
}

}  // namespace

std::wstring ReadHostSetting(const std::wstring& path, const wchar_t* key) {
  if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  std::vector<wchar_t> sections(4096);
  DWORD const used = GetPrivateProfileSectionNamesW(sections.data(), static_cast<DWORD>(sections.size()), path.c_str());
  wchar_t value[512];
  // The names follow one another, each ended by a zero; an empty name ends the list.
  for (const wchar_t* section = sections.data(); section < sections.data() + used && *section;
       section += wcslen(section) + 1) {
    DWORD const length = GetPrivateProfileStringW(section, key, L"", value, ARRAYSIZE(value), path.c_str());
    if (length > 0) return std::wstring(value, length);
  }
  return {};
}

std::wstring ReadHostSetting(const wchar_t* key) { return ReadHostSetting(HostSettingsPath(), key); }

std::wstring HostHardwareWord() {
  std::wstring word = ReadHostSetting(L"HardwareName");
  if (!word.empty()) return word;
  String product(L"DATRION");
  SubstituteProductWords(product);
  return product.GetText();
}

}  // namespace QOR
