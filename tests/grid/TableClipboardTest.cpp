// The table text on the clipboard: joining the blocks and the text Wine's clipboard hands back.
#include "grid/TableClipboard.h"

#include <gtest/gtest.h>

TEST(TableClipboard, BlocksJoinWithOneLineFeedOnlyWhenBothHoldText) {
  EXPECT_EQ(L"a\r\n\nb\r\n", JoinTableBlocks(L"a\r\n", L"b\r\n"));
  EXPECT_EQ(L"a\r\n", JoinTableBlocks(L"a\r\n", L""));
  EXPECT_EQ(L"b\r\n", JoinTableBlocks(L"", L"b\r\n"));
}

TEST(TableClipboard, TextReplacesWhatTheClipboardHeld) {
  const UINT older = RegisterClipboardFormatW(L"OndaraTestFormat");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL const stale = GlobalAlloc(GMEM_MOVEABLE, 4);
  ASSERT_NE(nullptr, SetClipboardData(older, stale));
  CloseClipboard();

  ASSERT_EQ(ClipboardCopy::Done, CopyTextToClipboard(nullptr, L"T1\tT2\r\n1\t\r\n"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(IsClipboardFormatAvailable(older)) << "the clipboard is emptied first";
  HANDLE const data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(nullptr, data);
  const wchar_t* const text = static_cast<const wchar_t*>(GlobalLock(data));
  EXPECT_STREQ(L"T1\tT2\r\n1\t\r\n", text);
  GlobalUnlock(data);
  CloseClipboard();
}
