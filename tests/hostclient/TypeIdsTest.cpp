// Type and message ids: one registry request per GUID, stable ids, the getter slot.
#include "hostclient/TypeIds.h"

#include "base/XQOR.h"
#include "host/app/HostFramework.h"
#include "host/framework/HostObservation.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/MessageArgument.h"

#include <gtest/gtest.h>

namespace {

// {1D0A4C7E-5F41-4B6C-8E0F-6A5B9C2D7E01}: a GUID only this test registers.
constexpr GUID kTestTypeGuid = {0x1D0A4C7E, 0x5F41, 0x4B6C, {0x8E, 0x0F, 0x6A, 0x5B, 0x9C, 0x2D, 0x7E, 0x01}};

class TypeIds : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
};

TEST_F(TypeIds, NumbersShareTheClassIndexFetchedOnce) {
  const uint32_t first = TypeIdClass<&kTestTypeGuid, 0>::Id();
  const uint32_t fifth = TypeIdClass<&kTestTypeGuid, 5>::Id();
  EXPECT_NE(0u, first >> 16);
  EXPECT_EQ(first >> 16, fifth >> 16);
  EXPECT_EQ(0u, first & 0xFFFFu);
  EXPECT_EQ(5u, fifth & 0xFFFFu);
  EXPECT_EQ(first, (TypeIdClass<&kTestTypeGuid, 0>::Id()));
  EXPECT_EQ(1u, lumo_observe::GuidRequests(kTestTypeGuid));
  EXPECT_EQ(RegisteredClassIndex<&kTestTypeGuid>::Get(), first >> 16);
}

TEST_F(TypeIds, MessageIdsEqualTypeIdsAndGetterFillsTheSlot) {
  EXPECT_EQ((TypeIdClass<&ZRDocGUID, 0>::Id()), (MsgIdClass<&ZRDocGUID, 0>::Id()));
  uint32_t slot = 0;
  const IdGetter getter = &MsgIdClass<&ZRDocGUID, 3>::GetId;
  EXPECT_EQ(&slot, getter(&slot));
  EXPECT_EQ((TypeIdClass<&ZRDocGUID, 3>::Id()), slot);
  // The index is the registry's for that GUID, not one of the module's making.
  GUID back = {};
  ASSERT_EQ(S_OK, GetTypeRegistry()->GetGuid(slot >> 16, &back));
  EXPECT_TRUE(IsEqualGUID(ZRDocGUID, back));
}

TEST_F(TypeIds, VariantArgumentsBecomeRegistryValues) {
  VARIANT number;
  VariantInit(&number);
  number.vt = VT_I4;
  number.lVal = 42;
  EXPECT_EQ(42u, QOR::VariantToMessageArgument(number));
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"0x10");
  EXPECT_EQ(16u, QOR::VariantToMessageArgument(text));
  VariantClear(&text);
  // Not convertible to text: the conversion's failure is thrown.
  VARIANT bad;
  VariantInit(&bad);
  bad.vt = VT_UNKNOWN;
  bad.punkVal = nullptr;
  EXPECT_THROW(QOR::VariantToMessageArgument(bad), XQOR);
}

}  // namespace
