// Tests of QOR::OFormatStringStream: placeholder numbering, "%%" and argument storage.
#include "base/OFormatStream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using QOR::OFormatStringStream;
using QOR::String;

std::wstring Text(OFormatStringStream& out) { return out.str().GetText(); }

TEST(FormatStream, FillsPlaceholdersByNumber) {
  OFormatStringStream sentence(String(L"Unable to export to file '%1'."));
  sentence << L"C:\\data\\run.dat";
  EXPECT_EQ(Text(sentence), L"Unable to export to file 'C:\\data\\run.dat'.");

  OFormatStringStream reversed(String(L"second %2, first %1"));
  reversed << L"A" << String(L"B");
  EXPECT_EQ(Text(reversed), L"second B, first A");

  OFormatStringStream numbers(String(L"%1 of %2"));
  numbers << 3 << 12;
  EXPECT_EQ(Text(numbers), L"3 of 12");
}

TEST(FormatStream, PercentSigns) {
  OFormatStringStream withPlaceholder(String(L"100%% of %1 (%0)"));
  withPlaceholder << L"x";
  EXPECT_EQ(Text(withPlaceholder), L"100% of x (%0)");

  OFormatStringStream withoutPlaceholder(String(L"100%% done"));
  EXPECT_EQ(Text(withoutPlaceholder), L"100%% done");

  // In a literal piece holding "%%" every '%' is an escape: it is dropped and the unit after
  // it is written as it stands; a piece without "%%" keeps its lone '%'.
  OFormatStringStream escapes(String(L"5%% or 9%x: %1 (%0) 100%% %0%"));
  escapes << L"v";
  EXPECT_EQ(Text(escapes), L"5% or 9x: v (0) 100% 0");
  OFormatStringStream lone(String(L"9%x: %1 (%0)"));
  lone << L"v";
  EXPECT_EQ(Text(lone), L"9%x: v (%0)");

  OFormatStringStream backslash(String(L"%1\\0 units"));
  backslash << 5;
  EXPECT_EQ(Text(backslash), L"50 units");
}

TEST(FormatStream, RepeatedPlaceholderFillsOnlyItsLaterOccurrence) {
  OFormatStringStream out(String(L"[%1] and [%1]"));
  out << L"v";
  EXPECT_EQ(Text(out), L"[] and [v]");
}

TEST(FormatStream, WritesOnlyAfterTheHighestNumber) {
  OFormatStringStream out(String(L"value %3"));
  out << L"one" << L"two";
  EXPECT_EQ(out.str().Length(), 0);
  out << L"three";
  EXPECT_EQ(Text(out), L"value three");
  out << L"surplus";
  EXPECT_EQ(Text(out), L"value three");
}

TEST(FormatStream, LongArgumentIsKeptWhole) {
  const std::wstring longText(5000, L'z');
  OFormatStringStream out(String(L"<%1|%2>"));
  out << longText.c_str() << L"end";
  EXPECT_EQ(Text(out), L"<" + longText + L"|end>");
}

TEST(FormatStream, NumberAbove20IsPlainText) {
  OFormatStringStream alone(String(L"rate %25 now"));
  EXPECT_EQ(Text(alone), L"rate %25 now");

  OFormatStringStream mixed(String(L"%1 of %21"));
  mixed << L"part";
  EXPECT_EQ(Text(mixed), L"part of %21");
}

TEST(FormatStream, MoreThanTwentyOccurrences) {
  std::wstring format;
  std::wstring expected;
  for (int i = 0; i < 25; ++i) {
    format += L"%1;";
    expected += L";";
  }
  expected.insert(expected.size() - 1, L"x");
  OFormatStringStream out{String(format.c_str())};
  out << L"x";
  EXPECT_EQ(Text(out), expected);
}

}  // namespace
