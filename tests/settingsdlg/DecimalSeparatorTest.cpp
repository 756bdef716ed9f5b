// The dialog's number edits under a user whose decimal separator is a comma, with the C runtime
// in that user's numeric locale as the module's start-up leaves it, and under the classic one:
// typed texts take the user's separator, stored texts the '.'.
#include "base/ClassicNumber.h"
#include "base/NoThousandsSep.h"
#include "document/ZRSettingIO.h"
#include "settingsdlg/MinPeakHeightValue.h"
#include "settingsdlg/tEdit.h"
#include "settingsdlg/tUnitsEdit.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <string>

namespace {

namespace MPH = ZR::Dlg::MinPeakHeight;

struct UserLocale {
  wchar_t decimal;
  const char* runtime;  // the C runtime's numeric locale
};

class DecimalSeparator : public testing::TestWithParam<UserLocale> {
 protected:
  void SetUp() override {
    std::locale user(std::locale::classic(), new QOR::NoThousandsSep<wchar_t>(GetParam().decimal, L' '));
    mPrevious = std::locale::global(user);
    ASSERT_NE(nullptr, std::setlocale(LC_NUMERIC, GetParam().runtime));
  }
  void TearDown() override {
    std::setlocale(LC_NUMERIC, "C");
    std::locale::global(mPrevious);
  }
  // "0.25" as this user types it.
  static std::wstring Typed(const wchar_t* classic) {
    std::wstring text = classic;
    for (wchar_t& c : text)
      if (c == L'.') c = GetParam().decimal;
    return text;
  }
  std::locale mPrevious;
};

TEST_P(DecimalSeparator, TypedNumbersTakeTheUsersSeparator) {
  const wchar_t decimal = GetParam().decimal;
  bool complete = false;
  EXPECT_EQ(0.25, MPH::ReadNumber(Typed(L"0.25"), decimal, &complete));
  EXPECT_TRUE(complete);
  EXPECT_TRUE(MPH::IsValidText(Typed(L"1.5"), decimal, MPH::BoundsOf(true, false)));
  EXPECT_TRUE(MPH::IsValidText(Typed(L"2.5e-3"), decimal, MPH::BoundsOf(false, true)));
  EXPECT_FALSE(MPH::IsValidText(Typed(L"1.5."), decimal, MPH::BoundsOf(true, false)));

  EXPECT_TRUE(ZR::ReadsAsOneNumber(Typed(L"0.25"), false));
  EXPECT_FALSE(ZR::ReadsAsOneNumber(Typed(L"0.25"), true));
  double value = 0;
  EXPECT_TRUE(ZR::ReadUserNumber(Typed(L"12.5"), value));
  EXPECT_EQ(12.5, value);
  // What tEdit stores: the typed text in the user's form.
  ZR::Doc::ZRSettingDouble setting(ZR::Doc::kSettingMinPeakHeight, 1, 0, 0.03, 0.0, 1e308);
  setting.FromText(QOR::String(Typed(L"0.125").c_str()), false);
  EXPECT_EQ(0.125, setting.Get());
}

TEST_P(DecimalSeparator, StoredTextsKeepThePoint) {
  ZR::Doc::ZRSettingDouble setting(ZR::Doc::kSettingMinPeakHeight, 1, 0, 0.03, 0.0, 1e308);
  setting.FromText(QOR::String(L"0.0005"), true);
  EXPECT_EQ(0.0005, setting.Get());
  EXPECT_EQ(std::wstring(L"0.0005"), setting.ToText(true).GetText());
  const wchar_t* end = nullptr;
  const wchar_t text[] = L" -1.5e2x";
  EXPECT_EQ(-150.0, QOR::ReadClassicNumber(text, &end));
  EXPECT_EQ(text + 7, end);
  EXPECT_EQ(1.0, QOR::ReadClassicNumber(L"1e", &end));
  EXPECT_EQ(L'e', *end);
  EXPECT_EQ(HUGE_VAL, QOR::ReadClassicNumber(L"1e400", nullptr));
  EXPECT_EQ(0.0, QOR::ReadClassicNumber(L".", &end));
  EXPECT_EQ(L'.', *end);
}

INSTANTIATE_TEST_SUITE_P(Users, DecimalSeparator,
                         testing::Values(UserLocale{L',', "German"}, UserLocale{L'.', "C"}),
                         [](const testing::TestParamInfo<UserLocale>& info) {
                           return info.param.decimal == L',' ? std::string("Comma") : std::string("Classic");
                         });

}  // namespace
