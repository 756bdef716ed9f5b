// A user's regional settings played to LocaleInfo in place of the system's, and a message-box hook
// that records instead of showing.
#pragma once

#include "base/LocaleInfo.h"

#include <windows.h>

#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace fakelocale {

// A German user: decimal comma, '.' for thousands and dates, 24-hour time.
inline std::map<LCTYPE, std::wstring> GermanSettings() {
  return {{LOCALE_SDECIMAL, L","},         {LOCALE_STHOUSAND, L"."},     {LOCALE_STIME, L":"},
          {LOCALE_SDATE, L"."},            {LOCALE_SLIST, L";"},         {LOCALE_S1159, L"AM"},
          {LOCALE_S2359, L"PM"},           {LOCALE_ITIME, L"1"},         {LOCALE_ITIMEMARKPOSN, L"0"},
          {LOCALE_IDEFAULTCODEPAGE, L"850"}, {LOCALE_STIMEFORMAT, L"HH:mm:ss"},
          {LOCALE_SLONGDATE, L"dddd, d. MMMM yyyy"}, {LOCALE_SSHORTDATE, L"dd.MM.yyyy"},
          {LOCALE_IDATE, L"1"},            {LOCALE_SMONTHNAME12, L"Dezember"},
          {LOCALE_SABBREVMONTHNAME12, L"Dez"}, {LOCALE_SMONTHNAME5, L"Mai"},
          {LOCALE_SABBREVMONTHNAME5, L"Mai"},  {LOCALE_SDAYNAME7, L"Sonntag"},
          {LOCALE_SABBREVDAYNAME7, L"So"},     {LOCALE_SDAYNAME1, L"Montag"}};
}

struct State {
  std::map<LCTYPE, std::wstring> settings = GermanSettings();
  const char* numericLocale = "C";
  DWORD setLocaleError = 0;  // not 0: setlocale fails with this error
};

inline State& Current() {
  static State state;
  return state;
}

inline int LocaleInfoQuery(LCTYPE type, wchar_t* buffer, int size) {
  const auto found = Current().settings.find(type);
  if (found == Current().settings.end()) return 0;
  const int needed = static_cast<int>(found->second.size()) + 1;
  if (size == 0) return needed;
  if (size < needed) return 0;
  wcscpy(buffer, found->second.c_str());
  return needed;
}

inline const char* NumericLocale(const char* name) {
  if (!name) return Current().numericLocale;
  if (!Current().setLocaleError) return "user";
  SetLastError(Current().setLocaleError);
  return nullptr;
}

inline QOR::LocaleSystem System() { return QOR::LocaleSystem{&LocaleInfoQuery, &NumericLocale}; }

struct Box {
  std::wstring text;
  std::wstring caption;
  UINT type;
};

inline std::vector<Box>& Boxes() {
  static std::vector<Box> boxes;
  return boxes;
}

inline int RecordBox(HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
  Boxes().push_back({text, caption, type});
  return IDOK;
}

}  // namespace fakelocale
