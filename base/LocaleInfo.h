// LocaleInfo: the user's regional settings, read once, and the owner of the process's global
// locale, in which user-visible numbers take the user's decimal separator and never any grouping.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/String.h"

namespace QOR {

// What LocaleInfo asks of the system; replaceable so that a test can play any user's settings.
struct LocaleSystem {
  // GetLocaleInfoW for the user's default locale: units written with the terminator, or with
  // size 0 the units needed; 0 on failure.
  int (*getLocaleInfo)(LCTYPE type, wchar_t* buffer, int size);
  // setlocale(LC_NUMERIC, name) of the C runtime; null name asks for the current one. Null on
  // failure, GetLastError telling why.
  const char* (*setNumericLocale)(const char* name);
  // The system: GetLocaleInfoW (LOCALE_USER_DEFAULT) and setlocale.
  static LocaleSystem Default() noexcept;
};

class LocaleInfo {
 public:
  // The process's record, made on first use from the system's settings; at exit the classic
  // locale is restored.
  static LocaleInfo& Get();

  // Reads the settings and installs the global locale: the classic one with the user's decimal
  // separator, no grouping and the module's time parser (day and month names, date order and
  // date separator of the user's settings). Nothing is installed when a setting cannot be read
  // (a message box says so) or when the C runtime's numeric locale is no longer "C". Ambiguous
  // separators are reported in one task-modal message box.
  explicit LocaleInfo(const LocaleSystem& system);
  LocaleInfo(const LocaleInfo&) = delete;
  LocaleInfo& operator=(const LocaleInfo&) = delete;
  // Restores the classic global locale when this record installed one.
  virtual ~LocaleInfo();

  const char* DecimalNarrow() const noexcept { return mDecimalNarrow; }
  const wchar_t* Decimal() const noexcept { return mDecimal; }
  const wchar_t* TimeSeparator() const noexcept { return mTime; }
  const wchar_t* ListSeparator() const noexcept { return mList; }
  const wchar_t* AMText() const noexcept { return mAM; }
  const wchar_t* PMText() const noexcept { return mPM; }
  const String& ShortDateFormat() const noexcept { return mShortDate; }
  uint16_t OemCodePage() const noexcept { return mOemCodePage; }
  bool Uses24Hour() const noexcept { return m24Hour != 0; }
  bool Installed() const noexcept { return mInstalled != 0; }

 private:
  bool ReadSettings();
  void Install();
  String SeparatorWarnings() const;
  String NumericLocaleWarning() const;
  void Warn(const String& text) const;

  LocaleSystem mSystem;
  char mDecimalNarrow[8] = {};
  wchar_t mDecimal[8] = {};
  wchar_t mThousands[8] = {};
  wchar_t mTime[8] = {};
  wchar_t mDate[8] = {};
  wchar_t mList[8] = {};
  wchar_t mAM[16] = {};
  wchar_t mPM[16] = {};
  String mTimeFormat;
  String mShortDate;
  String mLongDate;
  uint16_t mOemCodePage = 0;
  uint8_t m24Hour = 0;
  uint8_t mAmPmFirst = 0;
  uint8_t mInstalled = 0;
};

}  // namespace QOR
