// LocaleInfo: the user's regional settings and the global locale built from them.
#include "base/LocaleInfo.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <locale>

#include "base/ModalMessageBox.h"
#include "base/NoThousandsSep.h"
#include "base/OFormatStream.h"
#include "base/TimeGet.h"

namespace QOR {

namespace {

// Texts of the host application's string table.
constexpr uint32_t kCaptionText = 20007;
constexpr uint32_t kUnreadableText = 20008;
constexpr uint32_t kDecimalIsDateSeparatorText = 20009;
constexpr uint32_t kDecimalIsListSeparatorText = 20010;
constexpr uint32_t kUnusualDecimalText = 20011;
constexpr uint32_t kFirstNumericLocaleText = 20012;  // + k for the runtime's codes 0x20000101 + k
constexpr uint32_t kOtherNumericLocaleText = 20018;
constexpr DWORD kFirstRuntimeLocaleError = 0x20000101;
constexpr DWORD kRuntimeLocaleErrorCount = 6;

String HostText(uint32_t id) { return String(nullptr, id, true); }

int SystemLocaleInfo(LCTYPE type, wchar_t* buffer, int size) {
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, size);
}

const char* SystemNumericLocale(const char* name) { return std::setlocale(LC_NUMERIC, name); }

template <int N>
bool ReadItem(const LocaleSystem& system, LCTYPE type, wchar_t (&item)[N]) {
  return system.getLocaleInfo(type, item, N) > 0;
}

bool ReadNumber(const LocaleSystem& system, LCTYPE type, int& value) {
  wchar_t text[8] = {};
  if (!ReadItem(system, type, text)) return false;
  value = _wtoi(text);
  return true;
}

// A format text: its length is asked for first, then a buffer of that size is filled.
bool ReadFormat(const LocaleSystem& system, LCTYPE type, String& format) {
  const int size = system.getLocaleInfo(type, nullptr, 0);
  if (size <= 0) return false;
  wchar_t* const buffer = format.GetBuffer(size);
  if (system.getLocaleInfo(type, buffer, size) <= 0) return false;
  buffer[size] = L'\0';
  format.SetLength();
  return true;
}

// Weekday names from Sunday and month names, abbreviated and full alternating; a name the system
// does not give stays empty and is never matched.
time_get<wchar_t>::Names ReadNames(const LocaleSystem& system) {
  time_get<wchar_t>::Names names;
  wchar_t text[80];
  const auto read = [&](LCTYPE type, std::wstring& name) {
    if (system.getLocaleInfo(type, text, 80) > 0) name = text;
  };
  for (int day = 0; day < 7; ++day) {
    // The system counts from Monday (1) to Sunday (7).
    const LCTYPE index = static_cast<LCTYPE>((day + 6) % 7);
    read(LOCALE_SABBREVDAYNAME1 + index, names.weekdays[2 * day]);
    read(LOCALE_SDAYNAME1 + index, names.weekdays[2 * day + 1]);
  }
  for (int month = 0; month < 12; ++month) {
    read(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(month), names.months[2 * month]);
    read(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(month), names.months[2 * month + 1]);
  }
  return names;
}

std::time_base::dateorder DateOrder(const LocaleSystem& system) {
  int order = 0;
  if (!ReadNumber(system, LOCALE_IDATE, order)) return std::time_base::no_order;
  switch (order) {
    case 0: return std::time_base::mdy;
    case 1: return std::time_base::dmy;
    case 2: return std::time_base::ymd;
    default: return std::time_base::no_order;
  }
}

char Narrow(wchar_t c, char otherwise) { return c > 0 && c < 0x80 ? static_cast<char>(c) : otherwise; }

}  // namespace

LocaleSystem LocaleSystem::Default() noexcept { return LocaleSystem{&SystemLocaleInfo, &SystemNumericLocale}; }

LocaleInfo& LocaleInfo::Get() {
  static LocaleInfo info(LocaleSystem::Default());
  return info;
}

LocaleInfo::LocaleInfo(const LocaleSystem& system) : mSystem(system) {
  if (!ReadSettings()) {
    Warn(HostText(kUnreadableText));
    return;
  }
  const char* const numeric = mSystem.setNumericLocale(nullptr);
  if (!numeric || std::strcmp(numeric, "C") != 0) return;
  Install();
}

LocaleInfo::~LocaleInfo() {
  if (mInstalled) std::locale::global(std::locale::classic());
}

bool LocaleInfo::ReadSettings() {
  int twentyFourHour = 0, markFirst = 0, codePage = 0;
  if (!ReadItem(mSystem, LOCALE_SDECIMAL, mDecimal) || !ReadItem(mSystem, LOCALE_STHOUSAND, mThousands) ||
      !ReadItem(mSystem, LOCALE_STIME, mTime) || !ReadItem(mSystem, LOCALE_SDATE, mDate) ||
      !ReadItem(mSystem, LOCALE_SLIST, mList) || !ReadItem(mSystem, LOCALE_S1159, mAM) ||
      !ReadItem(mSystem, LOCALE_S2359, mPM) || !ReadNumber(mSystem, LOCALE_ITIME, twentyFourHour) ||
      !ReadNumber(mSystem, LOCALE_ITIMEMARKPOSN, markFirst) ||
      !ReadNumber(mSystem, LOCALE_IDEFAULTCODEPAGE, codePage) ||
      !ReadFormat(mSystem, LOCALE_STIMEFORMAT, mTimeFormat) ||
      !ReadFormat(mSystem, LOCALE_SLONGDATE, mLongDate) || !ReadFormat(mSystem, LOCALE_SSHORTDATE, mShortDate))
    return false;
  // The narrow form of the decimal separator, in the ANSI code page.
  if (!WideCharToMultiByte(CP_ACP, 0, mDecimal, -1, mDecimalNarrow, sizeof mDecimalNarrow, nullptr, nullptr))
    mDecimalNarrow[0] = '\0';
  m24Hour = twentyFourHour == 1;
  mAmPmFirst = markFirst != 0;
  mOemCodePage = static_cast<uint16_t>(codePage);
  return true;
}

void LocaleInfo::Install() {
  std::locale user(std::locale::classic(),
                   new NoThousandsSep<char>(Narrow(mDecimalNarrow[0], '.'), Narrow(mThousands[0], ',')));
  user = std::locale(user, new NoThousandsSep<wchar_t>(mDecimal[0] ? mDecimal[0] : L'.', mThousands[0]));
  user = std::locale(user, new time_getEx<wchar_t>(ReadNames(mSystem), DateOrder(mSystem), mDate[0]));
  std::locale::global(user);
  mInstalled = 1;

  String warnings = SeparatorWarnings();
  // The C runtime's own number formats follow the user's settings too.
  if (!mSystem.setNumericLocale("")) warnings = NumericLocaleWarning();
  if (!warnings.IsEmpty()) Warn(warnings);
}

String LocaleInfo::SeparatorWarnings() const {
  String warnings;
  if (std::wcscmp(mDecimal, mDate) == 0) warnings += HostText(kDecimalIsDateSeparatorText);
  if (std::wcscmp(mDecimal, mList) == 0) warnings += HostText(kDecimalIsListSeparatorText);
  if (std::wcslen(mDecimal) > 1 || (mDecimal[0] != L'.' && mDecimal[0] != L',')) {
    OStringStream units;
    units << std::hex;
    for (const wchar_t* unit = mDecimal; *unit; ++unit) units << L' ' << static_cast<unsigned>(*unit);
    OFormatStringStream text(HostText(kUnusualDecimalText));
    text << units.str();
    warnings += text.str();
  }
  return warnings;
}

String LocaleInfo::NumericLocaleWarning() const {
  const DWORD code = GetLastError();
  if (code >= kFirstRuntimeLocaleError && code < kFirstRuntimeLocaleError + kRuntimeLocaleErrorCount)
    return HostText(kFirstNumericLocaleText + (code - kFirstRuntimeLocaleError));
  wchar_t system[512] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, system, 511,
                 nullptr);
  OFormatStringStream text(HostText(kOtherNumericLocaleText));
  text << system;
  return text.str();
}

void LocaleInfo::Warn(const String& text) const {
  ShowModalMessageBox(nullptr, text.GetText(), HostText(kCaptionText).GetText(), MB_TASKMODAL);
}

}  // namespace QOR
