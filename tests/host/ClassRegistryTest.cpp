// The stand-in framework's class registry and type registry, reached as a module reaches them.
#include "host/app/HostFramework.h"
#include "host/framework/HostObservation.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/MessageService.h"
#include "hostapi/ObjectFactory.h"
#include "hostapi/TypeRegistry.h"
#include "tests/host/FrameworkTestObjects.h"

#include <gtest/gtest.h>
#include <objbase.h>

namespace {

using framework_test::EnumClass;
using framework_test::PlainClass;

// Registered objects stay registered for the process, so each test keeps its
// objects in statics.

// {4F2C8A10-7B3E-4D59-A1C6-3E8D0B5F9A11} and {...12}: GUIDs only these tests register.
constexpr GUID kGuidA = {0x4F2C8A10, 0x7B3E, 0x4D59, {0xA1, 0xC6, 0x3E, 0x8D, 0x0B, 0x5F, 0x9A, 0x11}};
constexpr GUID kGuidB = {0x4F2C8A10, 0x7B3E, 0x4D59, {0xA1, 0xC6, 0x3E, 0x8D, 0x0B, 0x5F, 0x9A, 0x12}};

template <class Interface>
Interface* Framework(const IID& iid) {
  Interface* service = nullptr;
  EXPECT_EQ(S_OK, CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, iid,
                                   reinterpret_cast<void**>(&service)));
  return service;
}

class Registries : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override {
    mClasses = Framework<IClassRegistry>(IID_IClassRegistry);
    mTypes = Framework<ITypeRegistry>(IID_ITypeRegistry);
    ASSERT_NE(nullptr, mClasses);
    ASSERT_NE(nullptr, mTypes);
  }
  uint32_t TypeId(const GUID& guid, uint16_t number) {
    uint16_t index = 0;
    EXPECT_EQ(S_OK, mTypes->RegisterGuid(&guid, &index));
    return (static_cast<uint32_t>(index) << 16) | number;
  }
  IClassRegistry* mClasses = nullptr;
  ITypeRegistry* mTypes = nullptr;
};

TEST_F(Registries, ClassIndexesAreStableNonZeroAndMapBack) {
  uint16_t a = 0, again = 0, b = 0;
  ASSERT_EQ(S_OK, mTypes->RegisterGuid(&kGuidA, &a));
  ASSERT_EQ(S_OK, mTypes->RegisterGuid(&kGuidA, &again));
  ASSERT_EQ(S_OK, mTypes->RegisterGuid(&kGuidB, &b));
  EXPECT_NE(0, a);
  EXPECT_LT(a, 0x8000);
  EXPECT_EQ(a, again);
  EXPECT_NE(a, b);
  GUID back = {};
  ASSERT_EQ(S_OK, mTypes->GetGuid(b, &back));
  EXPECT_TRUE(IsEqualGUID(kGuidB, back));
  EXPECT_EQ(E_INVALIDARG, mTypes->GetGuid(0, &back));
  EXPECT_EQ(E_INVALIDARG, mTypes->GetGuid(0x7FFF, &back));
}

TEST_F(Registries, RegisteredClassIsHeldAndFoundByTypeIdAndName) {
  static PlainClass first(TypeId(kGuidA, 7), L"First Class");
  ASSERT_EQ(S_OK, mClasses->RegisterClassObject(&first));
  EXPECT_EQ(2u, first.mCount);

  ILumoClassObject* found = nullptr;
  ASSERT_EQ(S_OK, mClasses->GetClassObject(TypeId(kGuidA, 7), IID_ILumoClassObject,
                                           reinterpret_cast<void**>(&found)));
  EXPECT_EQ(&first, found);
  found->Release();

  QOR::IQORString* name = nullptr;
  ASSERT_EQ(S_OK, mTypes->GetIdName(0, TypeId(kGuidA, 7), &name));
  EXPECT_EQ(L"First Class", host::StringText(name));
  name->Release();
  uint32_t value = 0;
  QOR::IQORString* text = framework_test::MakeText(L"first class");
  ASSERT_EQ(S_OK, mTypes->TextToValue(0, text, &value));
  EXPECT_EQ(TypeId(kGuidA, 7), value);
  text->Release();

  // The same type id again replaces the first object and lets it go.
  static PlainClass second(TypeId(kGuidA, 7), L"Second Class");
  uint32_t countBefore = 0, countAfter = 0;
  mClasses->GetClassCount(&countBefore);
  ASSERT_EQ(S_OK, mClasses->RegisterClassObject(&second));
  mClasses->GetClassCount(&countAfter);
  EXPECT_EQ(countBefore, countAfter);
  EXPECT_EQ(1u, first.mCount);
  EXPECT_EQ(2u, second.mCount);
  EXPECT_EQ(E_POINTER, mClasses->RegisterClassObject(nullptr));
}

TEST_F(Registries, UnknownIdsAndServiceIds) {
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, mClasses->GetClassObject(TypeId(kGuidB, 999), IID_IUnknown, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(E_POINTER, mClasses->GetClassObject(kObjectFactoryServiceId, IID_IUnknown, nullptr));
  IObjectFactory* factory = nullptr;
  ASSERT_EQ(S_OK, mClasses->GetClassObject(kObjectFactoryServiceId, IID_IObjectFactory,
                                           reinterpret_cast<void**>(&factory)));
  factory->Release();
  IMessageService* messages = nullptr;
  ASSERT_EQ(S_OK, mClasses->GetClassObject(kMessageServiceId, IID_IMessageService,
                                           reinterpret_cast<void**>(&messages)));
  messages->Release();
  // A service asked for an interface it does not have.
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, mClasses->GetClassObject(kObjectFactoryServiceId, IID_IClassRegistry, &out));
  EXPECT_EQ(nullptr, out);
}

TEST_F(Registries, EnumeratorClassesIndexedByNameAndAliasAndCreatable) {
  static EnumClass detector(TypeId(kGuidB, 3), L"TestPeakDet", L"tpd");
  ASSERT_EQ(S_OK, mClasses->RegisterClassObject(&detector));
  uint32_t typeId = 0;
  ASSERT_TRUE(lumo_observe::FindEnumClass(L"testpeakDET", typeId));
  EXPECT_EQ(TypeId(kGuidB, 3), typeId);
  ASSERT_TRUE(lumo_observe::FindEnumClass(L"TPD", typeId));
  EXPECT_EQ(TypeId(kGuidB, 3), typeId);
  EXPECT_FALSE(lumo_observe::FindEnumClass(L"tp", typeId));

  IUnknown* instance = nullptr;
  ASSERT_EQ(S_OK, mClasses->CreateInstance(TypeId(kGuidB, 3), nullptr, IID_IUnknown,
                                           reinterpret_cast<void**>(&instance)));
  ASSERT_NE(nullptr, instance);
  EXPECT_EQ(0u, instance->Release());
  // Aggregation passes the outer object and asks for nothing but IUnknown.
  PlainClass outer(0, L"");
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, mClasses->CreateInstance(TypeId(kGuidB, 3), &outer, IID_ILumoClassObject, &out));
  EXPECT_EQ(nullptr, out);
  ASSERT_EQ(S_OK, mClasses->CreateInstance(TypeId(kGuidB, 3), &outer, IID_IUnknown,
                                           reinterpret_cast<void**>(&instance)));
  EXPECT_EQ(&outer, detector.mLastOuter);
  instance->Release();
  EXPECT_EQ(2, detector.mCreated);
}

TEST_F(Registries, TextToValueReadsNumbersAndRefusesOtherText) {
  struct Case {
    const wchar_t* text;
    HRESULT hr;
    uint32_t value;
  };
  const Case cases[] = {{L"123", S_OK, 123u}, {L"-1", S_OK, 0xFFFFFFFFu}, {L"0x1F", S_OK, 31u},
                        {L"12a", E_INVALIDARG, 77u}, {L"", E_INVALIDARG, 77u}, {L" 5", E_INVALIDARG, 77u}};
  for (const Case& c : cases) {
    QOR::IQORString* text = framework_test::MakeText(c.text);
    uint32_t value = 77;
    EXPECT_EQ(c.hr, mTypes->TextToValue(0, text, &value)) << "text \"" << c.text << "\"";
    EXPECT_EQ(c.value, value) << "text \"" << c.text << "\"";
    text->Release();
  }
}

}  // namespace
