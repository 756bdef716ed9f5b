// XQOR: texts of the module's own codes (host string table) and of system codes.
#include "base/XQOR.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Text(const XQOR& e) { return e.GetMessage().GetText(); }

std::wstring HostString(UINT id) {
  wchar_t buffer[512] = {};
  LoadStringW(nullptr, id, buffer, 512);
  return buffer;
}

TEST(XQOR, OwnCodesTakeHostStringTableTexts) {
  // The host's table holds the product token, replaced by the product word.
  EXPECT_EQ(L"The stored data is corrupt.", Text(XQOR(kXQORCorruptString)));
  EXPECT_EQ(HostString(57348), Text(XQOR(kXQORCorruptString)));
  EXPECT_EQ(L"An unexpected error occurred in Kymora.", Text(XQOR(XQOROwnCode(0))));
  // k 4 and 5 share one text; 0x80030105 is taken as k 5.
  EXPECT_EQ(Text(XQOR(XQOROwnCode(4))), Text(XQOR(XQOROwnCode(5))));
  EXPECT_EQ(Text(XQOR(XQOROwnCode(5))), Text(XQOR(static_cast<HRESULT>(0x80030105u))));
  EXPECT_FALSE(Text(XQOR(XQOROwnCode(5))).empty());
  EXPECT_EQ(HostString(57358), Text(XQOR(XQOROwnCode(18))));
}

TEST(XQOR, OwnCodesWithoutTextAreEmpty) {
  for (unsigned k : {10u, 15u, 17u, 19u, 25u, 26u, 0x7Fu}) {
    EXPECT_TRUE(Text(XQOR(static_cast<HRESULT>(0xA0048200u + k))).empty()) << "k " << k;
  }
  EXPECT_TRUE(Text(XQOR(static_cast<HRESULT>(0xA004820Fu))).empty());
}

TEST(XQOR, MessageWithCodeAppendsLineFeedAndSystemText) {
  const XQOR e(QOR::String(L"Opening failed"), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  const std::wstring text = Text(e);
  const std::wstring head = L"Opening failed\n";
  ASSERT_GT(text.size(), head.size() + 1);
  EXPECT_EQ(head, text.substr(0, head.size()));
  EXPECT_EQ(L'.', text.back());
  EXPECT_EQ(std::wstring::npos, text.find(L'\r'));
  EXPECT_EQ(std::wstring::npos, text.find(L'\n', head.size()));
  EXPECT_EQ(std::wstring::npos, text.find(L".."));
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), e.code());
  // Only the low word of a FACILITY_WIN32 code reaches the system.
  EXPECT_EQ(text.substr(head.size()), Text(XQOR(static_cast<HRESULT>(ERROR_ACCESS_DENIED))));
}

TEST(XQOR, MessageAloneForCodesWithoutAppendix) {
  EXPECT_EQ(L"Plain", Text(XQOR(QOR::String(L"Plain"), 0)));
  EXPECT_EQ(L"Plain", Text(XQOR(QOR::String(L"Plain"), static_cast<HRESULT>(0xA0048210u))));
  EXPECT_EQ(L"Plain", Text(XQOR(QOR::String(L"Plain"), static_cast<HRESULT>(0xA0048211u))));
}

TEST(XQOR, CodeWithoutSystemTextIsEmpty) {
  EXPECT_TRUE(Text(XQOR(static_cast<HRESULT>(0x8FFF7FF3u))).empty());
}

TEST(XQOR, WhatGivesNarrowCopyAndCopiesShareMessage) {
  const XQOR e(QOR::String(L"Narrow text"), 0);
  EXPECT_STREQ("Narrow text", e.what());
  const XQOR copy = e;
  EXPECT_EQ(e.GetMessage().GetText(), copy.GetMessage().GetText());
  const std::exception& base = copy;
  EXPECT_STREQ("Narrow text", base.what());
}

}  // namespace
