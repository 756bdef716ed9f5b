// The host application's visibility as the module reads it from the host's settings.
#include "platform/uihelpers/ApplicationVisible.h"

#include "tests/support/HostApplicationSettings.h"

#include <gtest/gtest.h>

namespace {

VARIANT Variant(VARTYPE type, LONG number) {
  VARIANT value;
  VariantInit(&value);
  value.vt = type;
  if (type == VT_BOOL) value.boolVal = number ? VARIANT_TRUE : VARIANT_FALSE;
  if (type == VT_I4) value.lVal = number;
  return value;
}

TEST(ApplicationVisible, FollowsTheHostsSettingAndIsTrueWhenItCannotBeRead) {
  EXPECT_TRUE(QOR::IsApplicationVisible());  // no framework registered in this process yet
  ASSERT_EQ(testsupport::SetHostApplicationVisible(true), S_OK);
  EXPECT_TRUE(QOR::IsApplicationVisible());
  ASSERT_EQ(testsupport::SetHostApplicationVisible(false), S_OK);
  EXPECT_FALSE(QOR::IsApplicationVisible());
  ASSERT_EQ(testsupport::SetHostSetting(kApplicationVisibleKey, Variant(VT_I4, 1)), S_OK);
  EXPECT_TRUE(QOR::IsApplicationVisible());
  ASSERT_EQ(testsupport::SetHostSetting(kApplicationVisibleKey, Variant(VT_I4, 0)), S_OK);
  EXPECT_FALSE(QOR::IsApplicationVisible());
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"shown, perhaps");
  ASSERT_EQ(testsupport::SetHostSetting(kApplicationVisibleKey, text), S_OK);  // no switch
  VariantClear(&text);
  EXPECT_TRUE(QOR::IsApplicationVisible());
  ASSERT_EQ(testsupport::SetHostApplicationVisible(true), S_OK);
}

}  // namespace
