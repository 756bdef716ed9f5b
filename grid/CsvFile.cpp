// CSV files of table text.
#include "grid/CsvFile.h"

#include "base/Utf16Bytes.h"
#include "wholefile/ReplacingFile.h"

#include <algorithm>
#include <new>

QOR::String QuoteCsvCell(const QOR::String& text, const wchar_t* separator) {
  const std::wstring cell(text.GetText());
  const bool plain = cell.find_first_of(L"\"\r\n") == std::wstring::npos &&
                     (!separator || !*separator || cell.find(separator) == std::wstring::npos);
  if (plain) return text;
  std::wstring quoted(L"\"");
  for (const wchar_t unit : cell) {
    if (unit == L'"') quoted += L'"';
    quoted += unit;
  }
  quoted += L'"';
  return QOR::String(quoted.c_str());
}

// Languages (words as the application gives them) whose CSV goes out as UTF-16.
static constexpr LANGID kUnicodeLanguages[] = {0x0804, 0x0411, 0x0004, 0x0011, 0x0012, 0x0007, 0x000D, 0x0001};

// The text in an ANSI code page; usedDefault tells whether a unit had no equivalent (no "best fit":
// an e acute must not quietly become an e).
static std::string AnsiText(const std::wstring& text, UINT codePage, bool& usedDefault) {
  usedDefault = false;
  if (text.empty()) return std::string();
  const int units = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) {
    usedDefault = true;
    return std::string();
  }
  std::string narrow(static_cast<size_t>(bytes), '\0');
  BOOL defaulted = FALSE;
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), units, &narrow[0], bytes, nullptr, &defaulted);
  usedDefault = defaulted != FALSE;
  return narrow;
}

bool CsvNeedsUnicode(const std::wstring& text, LANGID language, UINT codePage) {
  if (QOR::HoldsUnitAbove255(text)) return true;
  if (std::find(std::begin(kUnicodeLanguages), std::end(kUnicodeLanguages), language) !=
      std::end(kUnicodeLanguages))
    return true;
  bool usedDefault = false;
  AnsiText(text, codePage, usedDefault);
  return usedDefault;
}

HRESULT WriteCsvFile(const wchar_t* fileName, const std::wstring& text, LANGID language) noexcept {
  if (!fileName || !*fileName) return E_INVALIDARG;
  try {
    bool usedDefault = false;
    const std::string bytes = CsvNeedsUnicode(text, language) ? "\xFF\xFE" + QOR::Utf16LeBytes(text)
                                                              : AnsiText(text, CP_THREAD_ACP, usedDefault);
    return WholeFile::WriteBytesReplacing(fileName, bytes);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}
