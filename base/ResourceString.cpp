// String-table lookup and product-word substitution.
#include "base/ResourceString.h"

#include "base/StringRep.h"

#include <cwchar>
#include <utility>
#include <vector>

namespace QOR {

namespace {

LANGID gApplicationLanguage = 0;

// Entries of one string-table block: each a 16-bit length and that many units, no terminator.
constexpr uint32_t kEntriesPerBlock = 16;

// The entry of the block found by resource, or false when the block or the entry is absent.
bool FindEntry(HMODULE module, HRSRC resource, uint32_t entry, const wchar_t** text,
               uint32_t* units) {
  if (resource == nullptr) return false;
  HGLOBAL loaded = LoadResource(module, resource);
  const auto* data = static_cast<const uint16_t*>(loaded ? LockResource(loaded) : nullptr);
  if (data == nullptr) return false;
  // Walk the entries without reading past the block, whatever it holds.
  const uint32_t size = SizeofResource(module, resource) / sizeof(uint16_t);
  uint32_t at = 0;
  for (uint32_t i = 0; i < entry; ++i) {
    if (at >= size) return false;
    at += 1u + data[at];
  }
  if (at >= size || data[at] == 0 || data[at] > size - at - 1) return false;
  *text = reinterpret_cast<const wchar_t*>(data + at + 1);
  *units = data[at];
  return true;
}

using SubstitutionTable = std::vector<std::pair<String, String>>;

// Built on first use and destroyed at process exit. A token that contains another comes
// before it, and each row works on the result of the rows before.
const SubstitutionTable& ProductWords() {
  static const SubstitutionTable table{
      {String(L"SCRIVOFORWINDOWS"), String(L"Kymora")},
      {String(L"SCRIVO"), String(L"Kymora")},
      {String(L"DATRION"), String(L"Datrion")},
      {String(L"QOR"), String(L"Velmora")},
      {String(L"OEM"), String(L"Velmora")},
      {String(L"VELMORA"), String(L"Velmora")},
  };
  return table;
}

}  // namespace

void SetApplicationResourceLanguage(LANGID language) noexcept { gApplicationLanguage = language; }

LANGID GetApplicationResourceLanguage() noexcept { return gApplicationLanguage; }

QORString::StringRep* LoadStringBlock(HMODULE module, uint32_t id) {
  if (id == 0) return nullptr;
  const auto block = static_cast<uint16_t>((id >> 4) + 1);
  const uint32_t entry = id % kEntriesPerBlock;
  const wchar_t* text = nullptr;
  uint32_t units = 0;
  bool found = false;
  if (gApplicationLanguage != 0) {
    found = FindEntry(module, FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block),
                                              gApplicationLanguage),
                      entry, &text, &units);
  }
  if (!found)
    found = FindEntry(module, FindResourceW(module, MAKEINTRESOURCEW(block), RT_STRING), entry,
                      &text, &units);
  if (!found) return nullptr;
  QORString::StringRep* rep = QORString::StringRep::Allocate(units + 1);
  std::wmemcpy(rep->Text(), text, units);
  rep->Text()[units] = 0;
  rep->mLength = units + 1;
  return rep;
}

void SubstituteProductWords(String& text) {
  for (const auto& [token, word] : ProductWords()) {
    int from = 0;
    for (;;) {
      const wchar_t* start = text.GetText();
      const wchar_t* hit = std::wcsstr(start + from, token.GetText());
      if (hit == nullptr) break;
      const int at = static_cast<int>(hit - start);
      text.Replace(at, token.Length(), word);
      // Go on after the replacement, so a row never searches its own words.
      from = at + word.Length();
    }
  }
}

String::String(HMODULE module, uint32_t id, bool substitute) : String() {
  QORString::StringRep* rep = LoadStringBlock(module, id);
  if (rep == nullptr) return;
  TakeRep(rep);
  if (substitute) SubstituteProductWords(*this);
}

}  // namespace QOR
