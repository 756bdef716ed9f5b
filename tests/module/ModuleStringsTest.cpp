// The built module's resources as its own string loader reads them: every text the code asks
// for comes back, and no resource is kept in a second language that would hide the first.
#include "base/String.h"
#include "host/app/HostFramework.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct NamedId {
  const wchar_t* name;
  uint32_t id;
};

// Every IDS_ id the module's id headers define, gathered by the build.
constexpr NamedId kCodeStringIds[] = {
#include "tests/module/ModuleStringIds.inc"
};

using Languages = std::set<LANGID>;
// Resource (type, name) -> the languages it is stored in; names are block numbers or texts.
using ResourceLanguages = std::map<std::pair<std::wstring, std::wstring>, Languages>;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring IdText(LPCWSTR id) {
  return IS_INTRESOURCE(id) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(id)) : id;
}

LPCWSTR IdFromText(const std::wstring& text) {
  return text[0] == L'#' ? MAKEINTRESOURCEW(std::stoi(text.substr(1))) : text.c_str();
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR into) {
  reinterpret_cast<Languages*>(into)->insert(language);
  return TRUE;
}

struct Walk {
  HMODULE module;
  ResourceLanguages* found;
  std::wstring type;
};

BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR walk) {
  auto* w = reinterpret_cast<Walk*>(walk);
  Languages& languages = (*w->found)[{w->type, IdText(name)}];
  EnumResourceLanguagesW(module, type, name, AddLanguage, reinterpret_cast<LONG_PTR>(&languages));
  return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR found) {
  Walk walk{module, reinterpret_cast<ResourceLanguages*>(found), IdText(type)};
  EnumResourceNamesW(module, type, AddName, reinterpret_cast<LONG_PTR>(&walk));
  return TRUE;
}

// The non-empty entries of one string block in one language, by string id.
std::map<uint32_t, std::wstring> BlockEntries(HMODULE module, uint32_t block, LANGID language) {
  std::map<uint32_t, std::wstring> entries;
  HRSRC const found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block), language);
  const auto* data = found ? static_cast<const wchar_t*>(LockResource(LoadResource(module, found)))
                           : nullptr;
  if (data == nullptr) return entries;
  const wchar_t* const end = data + SizeofResource(module, found) / sizeof(wchar_t);
  for (uint32_t entry = 0; entry < 16 && data < end; ++entry) {
    const auto length = static_cast<size_t>(*data++);
    if (length != 0) entries[(block - 1) * 16 + entry] = std::wstring(data, length);
    data += length;
  }
  return entries;
}

std::wstring Loaded(HMODULE module, uint32_t id) {
  return QOR::String(module, id, false).GetText();
}

class ModuleStrings : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::wstring path = ondara_host::PathBesideExecutable(L"Ondara.dll");
    sModule = LoadLibraryW(path.c_str());
    ASSERT_NE(sModule, nullptr);
    EnumResourceTypesW(sModule, AddType, reinterpret_cast<LONG_PTR>(&sResources));
  }

  static HMODULE sModule;
  static ResourceLanguages sResources;
};

HMODULE ModuleStrings::sModule = nullptr;
ResourceLanguages ModuleStrings::sResources;

TEST_F(ModuleStrings, EveryResourceIsKeptInOneLanguageTheSameForAll) {
  ASSERT_FALSE(sResources.empty());
  Languages all;
  for (const auto& [resource, languages] : sResources) {
    EXPECT_EQ(languages.size(), 1u)
        << "type " << Narrow(resource.first) << " name " << Narrow(resource.second);
    all.insert(languages.begin(), languages.end());
  }
  EXPECT_EQ(all, Languages{MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)});
}

// Whatever language a string was stored in, the loader must find it: a block kept twice
// hides the entries of the copy the loader does not pick.
TEST_F(ModuleStrings, EveryStoredTextComesBackThroughTheLoader) {
  size_t checked = 0;
  for (const auto& [resource, languages] : sResources) {
    if (resource.first != IdText(RT_STRING)) continue;
    auto const block = static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(
        IdFromText(resource.second)));
    for (LANGID const language : languages) {
      for (const auto& [id, text] : BlockEntries(sModule, block, language)) {
        EXPECT_EQ(Loaded(sModule, id), text) << "string " << id << " language " << language;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 100u);
}

TEST_F(ModuleStrings, EveryTextTheCodeAsksForIsThere) {
  for (const NamedId& named : kCodeStringIds) {
    EXPECT_FALSE(Loaded(sModule, named.id).empty()) << Narrow(named.name) << " = " << named.id;
  }
}

}  // namespace
