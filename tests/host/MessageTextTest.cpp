// Messages quoting input: short, one printable line, UTF-8.
#include "host/common/MessageText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace host {
namespace {

TEST(MessageText, QuotesAtMostFortyPrintableCharacters) {
  using namespace std::string_literals;
  struct Case {
    std::string input;
    std::string quoted;
  };
  const Case cases[] = {
      {"1.5", "'1.5'"},
      {"a\0b"s, "'a\\x00b'"},                          // NUL does not cut the message
      {"x\ty\r\n\x7F", "'x\\x09y\\x0D\\x0A\\x7F'"},     // control characters escaped
      {"\xC3\xA9\xE2\x82\xAC", "'\xC3\xA9\xE2\x82\xAC'"},  // UTF-8 kept as it is
      {"a\xFF\xC3", "'a\\xFF\\xC3'"},                  // bytes that are not UTF-8
      {"\xC0\x80", "'\\xC0\\x80'"},                    // overlong form
      // Spaces and marks that show as nothing: no-break, zero-width, right-to-left, byte order mark.
      {"m\xC2\xA0V\xE2\x80\x8B\xE2\x80\x8F\xEF\xBB\xBF", "'m\\u00A0V\\u200B\\u200F\\uFEFF'"},
      {std::string(40, '7'), "'" + std::string(40, '7') + "'"},
      {std::string(2000000, '1'), "'" + std::string(40, '1') + "...' (2000000 characters)"},
  };
  for (const Case& c : cases) EXPECT_EQ(QuoteInput(c.input), c.quoted) << c.quoted;
  // Wide text counts characters, not code units: a pair of surrogates is one.
  EXPECT_EQ(QuoteInput(std::wstring(L"\xD83D\xDE00z")), "'\xF0\x9F\x98\x80z'");
  EXPECT_EQ(QuoteInput(std::wstring(L"\xD800q")), "'\\uD800q'");
  std::string fortyAcute;
  for (int i = 0; i < 40; ++i) fortyAcute += "\xC3\xA9";
  EXPECT_EQ(QuoteInput(std::wstring(41, L'\xE9')), "'" + fortyAcute + "...' (41 characters)");
}

TEST(MessageText, ConvertsBetweenUtf8AndUtf16) {
  const std::wstring wide = L"V\xB5\x20AC\xD83D\xDE00";
  EXPECT_EQ(WideFromUtf8(Utf8FromWide(wide)), wide);
  EXPECT_EQ(Utf8FromWide(std::wstring(L"\xDC00")), "\xEF\xBF\xBD");  // unpaired surrogate
  EXPECT_EQ(WideFromUtf8("a\xE2\x82"), L"a\xFFFD\xFFFD");           // cut sequence
}

// The significant figures of a "%g" text: its digits before any exponent, without leading zeros.
size_t Figures(const std::string& text) {
  std::string digits;
  for (const char c : text.substr(0, text.find('e')))
    if (c >= '0' && c <= '9' && (c != '0' || !digits.empty())) digits += c;
  return digits.size();
}

// A number typed with any count of figures, at any exponent, reads as it was typed: the text gives
// the same double back, with no more figures than were typed (or 6, which "%g" trims).
TEST(MessageText, ExactNumberTextReadsBackWithTheFiguresTyped) {
  std::mt19937 random(109);
  for (int i = 0; i < 5000; ++i) {
    const int figures = 1 + static_cast<int>(random() % 17);
    char typed[48];
    std::snprintf(typed, sizeof typed, "%.*e", figures - 1,
                  std::uniform_real_distribution<double>(1.0, 10.0)(random) *
                      std::pow(10.0, static_cast<int>(random() % 60) - 30) * (random() % 2 ? 1 : -1));
    const double value = std::strtod(typed, nullptr);
    const std::string text = ExactNumberText(value);
    EXPECT_EQ(value, std::strtod(text.c_str(), nullptr)) << typed << " -> " << text;
    EXPECT_LE(Figures(text), static_cast<size_t>(std::max(figures, 6))) << typed << " -> " << text;
  }
  EXPECT_EQ("0.03", ExactNumberText(0.03));
  EXPECT_EQ("30", ExactNumberText(30.0));
  EXPECT_EQ("0.30000000000000004", ExactNumberText(0.1 + 0.2));
}

}  // namespace
}  // namespace host
