// The user's regional settings: the global locale they give, their warnings, and the time parser.
#include "base/LocaleInfo.h"

#include "base/DateEpochs.h"
#include "base/ModalMessageBox.h"
#include "base/OStringStream.h"
#include "tests/base/FakeLocaleSystem.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace QOR;

using fakelocale::Boxes;

std::wstring HostText(uint32_t id) { return String(nullptr, id, true).GetText(); }

class LocaleInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fakelocale::Current() = fakelocale::State();
    Boxes().clear();
    mPreviousHook = SetMessageBoxHook(&fakelocale::RecordBox);
  }
  void TearDown() override {
    SetMessageBoxHook(mPreviousHook);
    std::locale::global(std::locale::classic());
  }
  static LocaleSystem Fake() { return fakelocale::System(); }

  MessageBoxFunction mPreviousHook = nullptr;
};

std::wstring Shown(double value) {
  OStringStream text;
  text << value << L' ' << 1234567;
  return text.str().GetText();
}

TEST_F(LocaleInfoTest, UserDecimalSeparatorAndNoGrouping) {
  {
    LocaleInfo info(Fake());
    EXPECT_TRUE(info.Installed());
    EXPECT_STREQ(info.Decimal(), L",");
    EXPECT_STREQ(info.DecimalNarrow(), ",");
    EXPECT_STREQ(info.ListSeparator(), L";");
    EXPECT_STREQ(info.ShortDateFormat().GetText(), L"dd.MM.yyyy");
    EXPECT_TRUE(info.Uses24Hour());
    EXPECT_EQ(info.OemCodePage(), 850);
    EXPECT_EQ(Shown(1234.5), L"1234,5 1234567");
    EXPECT_TRUE(Boxes().empty());
  }
  EXPECT_EQ(Shown(0.5), L"0.5 1234567");  // the classic locale again
}

TEST_F(LocaleInfoTest, AmbiguousSeparatorsGiveOneWarning) {
  fakelocale::Current().settings[LOCALE_SDECIMAL] = L"/";
  fakelocale::Current().settings[LOCALE_SDATE] = L"/";
  {
    LocaleInfo info(Fake());
  }
  ASSERT_EQ(Boxes().size(), 1u);
  std::wstring unusual = HostText(20011);
  unusual.replace(unusual.find(L"%1"), 2, L" 2f");
  EXPECT_EQ(Boxes()[0].text, HostText(20009) + unusual);
  EXPECT_EQ(Boxes()[0].caption, HostText(20007));
  EXPECT_EQ(Boxes()[0].type, static_cast<UINT>(MB_TASKMODAL));

  Boxes().clear();
  fakelocale::Current().settings[LOCALE_SDECIMAL] = L",,";
  { LocaleInfo info(Fake()); }
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].text.find(L"( 2c 2c)"), std::wstring::npos) << Boxes()[0].text;
}

TEST_F(LocaleInfoTest, NothingInstalledWhenUnreadableOrTheRuntimeLocaleChanged) {
  const std::locale marked = std::locale(std::locale::classic(), new std::numpunct<wchar_t>());
  std::locale::global(marked);
  fakelocale::Current().settings.erase(LOCALE_SLONGDATE);
  {
    LocaleInfo info(Fake());
    EXPECT_FALSE(info.Installed());
  }
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, HostText(20008));
  EXPECT_TRUE(std::locale() == marked);

  Boxes().clear();
  SetUp();
  std::locale::global(marked);
  fakelocale::Current().numericLocale = "German_Germany.1252";
  {
    LocaleInfo info(Fake());
    EXPECT_FALSE(info.Installed());
  }
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(std::locale() == marked);  // nothing restored either
}

TEST_F(LocaleInfoTest, FailedRuntimeLocaleNamesItsCause) {
  fakelocale::Current().settings[LOCALE_SDECIMAL] = L"/";  // a separator warning the runtime's failure replaces
  fakelocale::Current().setLocaleError = 0x20000102;
  { LocaleInfo info(Fake()); }
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, HostText(20013));
  Boxes().clear();
  fakelocale::Current().setLocaleError = ERROR_INVALID_PARAMETER;
  {
    LocaleInfo info(Fake());
    EXPECT_TRUE(info.Installed());  // the global locale stays
  }
  ASSERT_EQ(Boxes().size(), 1u);
  const std::wstring head = HostText(20018).substr(0, HostText(20018).find(L"%1"));
  EXPECT_EQ(Boxes()[0].text.rfind(head, 0), 0u);
  EXPECT_GT(Boxes()[0].text.size(), head.size());
}

struct Parsed {
  std::tm time;
  bool failed;
  bool ended;
  wchar_t next;  // the first character not consumed, 0 at the end
};

// Parses text with the global locale's time parser: 't' time, 'd' date, 'y' year, 'm' month name,
// 'w' weekday. The record starts with day-of-month mday (0: an elapsed time).
Parsed Parse(const std::wstring& text, char what, int mday = 1) {
  std::wistringstream in(text);
  in.imbue(std::locale());
  const auto& parser = std::use_facet<std::time_get<wchar_t>>(in.getloc());
  Parsed parsed{};
  parsed.time.tm_mday = mday;
  parsed.time.tm_year = parsed.time.tm_mon = parsed.time.tm_hour = parsed.time.tm_min = parsed.time.tm_sec = -1;
  std::ios_base::iostate state = std::ios_base::goodbit;
  std::istreambuf_iterator<wchar_t> at(in), end;
  switch (what) {
    case 't': at = parser.get_time(at, end, in, state, &parsed.time); break;
    case 'd': at = parser.get_date(at, end, in, state, &parsed.time); break;
    case 'y': at = parser.get_year(at, end, in, state, &parsed.time); break;
    case 'm': at = parser.get_monthname(at, end, in, state, &parsed.time); break;
    case 'w': at = parser.get_weekday(at, end, in, state, &parsed.time); break;
  }
  parsed.failed = (state & std::ios_base::failbit) != 0;
  parsed.ended = (state & std::ios_base::eofbit) != 0;
  parsed.next = at == end ? 0 : *at;
  return parsed;
}

TEST_F(LocaleInfoTest, TimeParserReadsTimesOfDayAndElapsedTimes) {
  LocaleInfo info(Fake());  // decimal comma
  const struct {
    const wchar_t* text;
    int mday;
    bool failed;
    int hour, min, sec;
    wchar_t next;
  } cases[] = {
      {L"7:05:09", 1, false, 7, 5, 9, 0},
      {L"7:05", 1, false, 7, 5, -1, 0},       // hours and minutes at the end
      {L"30:00", 0, true, 0, 0, 0, 0},        // fails even for an elapsed time
      {L"12:34,5", 1, false, 0, 12, 34, L','}, // minutes and seconds before the fraction
      {L"25:00:00", 1, true, 0, 0, 0, 0},
      {L"25:00:00", 0, false, 25, 0, 0, 0},   // an elapsed time
      {L"7", 1, true, 0, 0, 0, 0},            // a lone number
      {L"7:60:00", 1, true, 0, 0, 0, 0},
      {L"7-05", 1, true, 0, 0, 0, 0},
      {L"99999999999:00:00", 0, true, 0, 0, 0, 0},  // beyond 32 bits
  };
  for (const auto& c : cases) {
    const Parsed p = Parse(c.text, 't', c.mday);
    EXPECT_EQ(p.failed, c.failed) << c.text;
    if (c.failed) continue;
    EXPECT_EQ(p.next, c.next) << c.text;
    EXPECT_EQ(p.time.tm_hour, c.hour) << c.text;
    EXPECT_EQ(p.time.tm_min, c.min) << c.text;
    EXPECT_EQ(p.time.tm_sec, c.sec) << c.text;
  }
}

TEST_F(LocaleInfoTest, TimeParserReadsDatesYearsAndNames) {
  LocaleInfo info(Fake());  // day-month-year, date separator '.'
  Parsed p = Parse(L"24.12.2009", 'd');
  EXPECT_FALSE(p.failed);
  EXPECT_TRUE(p.ended);
  EXPECT_EQ(p.time.tm_mday, 24);
  EXPECT_EQ(p.time.tm_mon, 11);
  EXPECT_EQ(p.time.tm_year, 109);
  EXPECT_TRUE(Parse(L"24.12", 'd').failed);
  p = Parse(L"24 Dez 09", 'd');  // a month name in the month's place
  EXPECT_FALSE(p.failed);
  EXPECT_EQ(p.time.tm_mon, 11);
  EXPECT_EQ(p.time.tm_year, 109);
  p = Parse(L"Dezember 3, 1999", 'd');  // a leading name: month-day-year whatever the order
  EXPECT_FALSE(p.failed);
  EXPECT_EQ(p.time.tm_mon, 11);
  EXPECT_EQ(p.time.tm_mday, 3);
  EXPECT_EQ(p.time.tm_year, 99);
  EXPECT_TRUE(Parse(L"32.12.2009", 'd').failed);

  const struct {
    const wchar_t* text;
    int year;  // -1: fails
  } years[] = {{L"34", 2034}, {L"35", 1935}, {L"99", 1999}, {L"1999", 1999}, {L"0", 2000},
               {L"135", 2035}, {L"150", -1},  {L"2036", -1}, {L"x", -1}};
  for (const auto& y : years) {
    p = Parse(y.text, 'y');
    EXPECT_EQ(p.failed, y.year < 0) << y.text;
    if (y.year >= 0) {
      EXPECT_EQ(p.time.tm_year + 1900, y.year) << y.text;
    }
  }

  p = Parse(L"Mai", 'm');  // short and full name alike
  EXPECT_EQ(p.time.tm_mon, 4);
  p = Parse(L"Dezx", 'm');  // stops where no name goes on
  EXPECT_EQ(p.time.tm_mon, 11);
  EXPECT_EQ(p.next, L'x');
  EXPECT_TRUE(Parse(L"dez", 'm').failed);  // names match case-sensitively
  EXPECT_EQ(Parse(L"Sonntag", 'w').time.tm_wday, 0);
  EXPECT_EQ(Parse(L"Montag", 'w').time.tm_wday, 1);
  EXPECT_TRUE(Parse(L"Sonnta", 'w').failed);
}

TEST(DateEpochs, SecondsBetweenTheEpochs) {
  EXPECT_EQ(GetDateEpochs().secondsFrom1899To1970, 2209161600.0);
  EXPECT_EQ(GetDateEpochs().julianDay1970 - GetDateEpochs().julianDay1899, 25569);
}

}  // namespace
