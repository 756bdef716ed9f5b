// The host's own string objects, as the framework library and the host application hand them out.
#include "host/common/HostString.h"

#include <gtest/gtest.h>
#include <oleauto.h>

namespace {

using host::HostPtr;
using host::MakeHostString;
using host::StringText;

TEST(HostString, ReadsBackThroughEveryAccessor) {
  HostPtr<QOR::IQORString> s = MakeHostString(L"peak");
  EXPECT_EQ(L"peak", StringText(s.Get()));
  EXPECT_EQ(4, s->Length());
  BSTR text = nullptr;
  ASSERT_EQ(S_OK, s->GetBSTR(&text));
  EXPECT_EQ(4u, SysStringLen(text));
  SysFreeString(text);
  EXPECT_EQ(E_FAIL, s->GetBSTR(nullptr));
  wchar_t small[4];
  EXPECT_EQ(E_FAIL, s->CopyTo(sizeof small, small));  // no room for the terminator
  EXPECT_EQ(L"", StringText(nullptr));
}

TEST(HostString, SharedStringRefusesChangeAndSaysSo) {
  HostPtr<QOR::IQORString> s = MakeHostString(L"old");
  VARIANT_BOOL shared = VARIANT_TRUE;
  ASSERT_EQ(S_OK, s->IsShared(&shared));
  EXPECT_EQ(VARIANT_FALSE, shared);
  BSTR text = SysAllocString(L"new");
  {
    HostPtr<QOR::IQORString> other(s.Get());
    ASSERT_EQ(S_OK, s->IsShared(&shared));
    EXPECT_EQ(VARIANT_TRUE, shared);
    EXPECT_EQ(E_FAIL, s->SetFromBSTR(text));
    EXPECT_EQ(L"old", StringText(s.Get()));
  }
  EXPECT_EQ(S_OK, s->SetFromBSTR(text));
  EXPECT_EQ(L"new", StringText(s.Get()));
  SysFreeString(text);
}

TEST(HostString, ComparesByText) {
  HostPtr<QOR::IQORString> a = MakeHostString(L"x");
  HostPtr<QOR::IQORString> b = MakeHostString(L"x");
  HostPtr<QOR::IQORString> empty = MakeHostString(L"");
  VARIANT_BOOL equal = VARIANT_FALSE;
  ASSERT_EQ(S_OK, a->IsEqual(b.Get(), &equal));
  EXPECT_EQ(VARIANT_TRUE, equal);
  ASSERT_EQ(S_OK, a->IsEqual(empty.Get(), &equal));
  EXPECT_EQ(VARIANT_FALSE, equal);
  ASSERT_EQ(S_OK, empty->IsEqual(nullptr, &equal));
  EXPECT_EQ(VARIANT_FALSE, equal);
}

}  // namespace
