// The channel scan of formula texts.
#include "enumerators/framework/ChannelRefs.h"

#include <gtest/gtest.h>

using ExtLib::ChannelRef;
using ExtLib::ParseChannelRefs;

TEST(ChannelRefs, ScansChannelFormsAndKeepsEachOnce) {
  struct Case {
    const wchar_t* text;
    std::vector<ChannelRef> expected;
  };
  const Case cases[] = {
      {L"calcbase(ch1,cappeakdet(ch1,0.3))", {{0, false, false}}},
      {L"calcbase2(ch1,calcamax(ch1,calcbase(ch1,vch1)))", {{0, false, false}, {0, false, true}}},
      {L"calcbulk(ch1,calcbase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))))",
       {{0, false, false}}},
      {L"cappeakdet(channel12,1)", {{11, false, false}}},
      {L"erstimdet(rch3,8)+x(ch2)", {{2, true, false}, {1, false, false}}},
      {L"abc(ch1", {{0, false, false}}},  // "c" third from the end is examined
      {L"abcch", {}},                     // a "c" among the last two characters is not
      {L"x(ch", {}},
      {L"", {}},
      {L"chx1,ch,ch-1", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, ParseChannelRefs(c.text)) << "text " << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(ChannelRefs, NumbersThatNameNoChannelAreSkipped) {
  EXPECT_TRUE(ParseChannelRefs(L"cappeakdet(ch0,0.3)").empty());
  EXPECT_TRUE(ParseChannelRefs(L"cappeakdet(ch99999999999,0.3)").empty());
  EXPECT_EQ((std::vector<ChannelRef>{{2147483646, false, false}}),
            ParseChannelRefs(L"cappeakdet(ch2147483647,0.3)"));
  EXPECT_EQ((std::vector<ChannelRef>{{1, false, false}}), ParseChannelRefs(L"f(ch0,ch2)"));
}
