// Tests of the wide string streams and the wide strstream pair.
#include "base/OStringStream.h"
#include "base/StrStream.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <string>

namespace {

using QOR::OStringStream;
using QOR::String;

std::wstring Text(const String& s) { return s.GetText(); }

TEST(OStringStream, StrHandsOutAStringThatLaterWritingLeavesAlone) {
  OStringStream out;
  EXPECT_EQ(out.str().Length(), 0);
  out << L"ab";
  const String first = out.str();
  out << L'c';
  const String second = out.str();
  EXPECT_EQ(Text(first), L"ab");
  EXPECT_EQ(Text(second), L"abc");
  EXPECT_NE(first.GetText(), second.GetText());
}

TEST(OStringStream, GrowsPastManyCapacities) {
  OStringStream out;
  std::wstring expected;
  for (int i = 0; i < 2000; ++i) {
    out << i << L',';
    expected += std::to_wstring(i) + L',';
  }
  const String text = out.str();
  EXPECT_EQ(Text(text), expected);
  EXPECT_EQ(text.Length(), static_cast<int>(expected.size()));
}

TEST(OStringStream, WrittenNulEndsTheText) {
  OStringStream out;
  out << L"xy" << wchar_t(0);
  EXPECT_EQ(out.str().Length(), 2);
}

TEST(OStringStream, SeekingMovesWithinTheWrittenText) {
  OStringStream out;
  out << L"abcdef";
  EXPECT_EQ(static_cast<long long>(out.tellp()), 6);
  out.seekp(2);
  out << L'X';
  EXPECT_EQ(Text(out.str()), L"abXdef");
  out.seekp(10);
  EXPECT_TRUE(out.fail());
}

TEST(ClassicOStringStream, UsesTheClassicLocale) {
  QOR::Automation::ClassicOStringStream out;
  out << 1234567.5 << L' ' << 1000000;
  EXPECT_EQ(Text(out.str()), L"1.23457e+06 1000000");
}

TEST(OStrStream, FixedBufferFailsWhenFull) {
  wchar_t buffer[4] = {};
  QOR::basic_ostrstream<wchar_t> out(buffer, 4);
  out << L"abcd";
  EXPECT_FALSE(out.fail());
  EXPECT_EQ(out.pcount(), 4);
  out << L'e';
  EXPECT_TRUE(out.bad() || out.fail());
  EXPECT_EQ(std::wstring(buffer, 4), L"abcd");
}

TEST(OStrStream, DynamicBufferGrows) {
  QOR::basic_ostrstream<wchar_t> out;
  std::wstring expected;
  for (int i = 0; i < 100; ++i) {
    out << std::setw(3) << i;
    expected += std::wstring(i < 10 ? 2 : (i < 100 ? 1 : 0), L' ') + std::to_wstring(i);
  }
  EXPECT_EQ(out.pcount(), 300);
  EXPECT_EQ(std::wstring(out.str(), 300), expected);
  out.freeze(false);
}

}  // namespace
