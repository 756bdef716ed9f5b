// The stand-in's host application, unit-test service, framework subject and observer registry.
#include "host/app/HostFramework.h"
#include "host/framework/HostObservation.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/FrameworkSubject.h"
#include "hostapi/HostApplication.h"
#include "hostapi/HostSettings.h"
#include "hostapi/ObjectFactory.h"
#include "hostapi/ObserverRegistry.h"
#include "hostapi/TypeRegistry.h"
#include "hostapi/UnitTestService.h"
#include "tests/host/FrameworkTestObjects.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <oleauto.h>

namespace {

template <class Interface>
Interface* ClassObject(const CLSID& clsid, const IID& iid) {
  Interface* object = nullptr;
  EXPECT_EQ(S_OK, CoGetClassObject(clsid, CLSCTX_ALL, nullptr, iid, reinterpret_cast<void**>(&object)));
  return object;
}

class HostServices : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
};

TEST_F(HostServices, UnitTestServiceKeepsEachTest) {
  IUnitTestService* const service = ClassObject<IUnitTestService>(CLSID_UnitTestService, IID_IUnitTestService);
  ASSERT_NE(nullptr, service);
  static framework_test::PlainClass test(0, L"test");
  uint32_t before = 0;
  service->GetTestCount(&before);
  ASSERT_EQ(S_OK, service->RegisterTest(&test));
  EXPECT_EQ(2u, test.mCount);
  uint32_t after = 0;
  service->GetTestCount(&after);
  ASSERT_EQ(before + 1, after);
  IUnknown* back = nullptr;
  ASSERT_EQ(S_OK, service->GetTestAt(after - 1, &back));
  EXPECT_EQ(static_cast<IUnknown*>(&test), back);
  back->Release();
  EXPECT_EQ(E_INVALIDARG, service->GetTestAt(after, &back));
  EXPECT_EQ(E_POINTER, service->RegisterTest(nullptr));
  service->Release();
}

TEST_F(HostServices, MessageBoxesAreRecordedNotShown) {
  IHostApplication* const host = ClassObject<IHostApplication>(CLSID_HostApplication, IID_IHostApplication);
  ASSERT_NE(nullptr, host);
  lumo_observe::Clear();
  int32_t button = 0;
  ASSERT_EQ(S_OK, host->ShowMessageBox(nullptr, L"First", L"One", MB_OK, &button));
  ASSERT_EQ(S_OK, host->ShowMessageBox(nullptr, L"Second", L"Two", MB_YESNO, &button));
  EXPECT_EQ(IDOK, button);
  ASSERT_EQ(2u, lumo_observe::MessageBoxCount());
  lumo_observe::MessageBoxSeen seen;
  ASSERT_TRUE(lumo_observe::GetMessageBox(1, seen));
  EXPECT_EQ(L"Second", seen.text);
  EXPECT_EQ(static_cast<uint32_t>(MB_YESNO), seen.style);
  EXPECT_FALSE(lumo_observe::GetMessageBox(2, seen));
  EXPECT_EQ(E_POINTER, host->ShowMessageBox(nullptr, L"x", L"y", MB_OK, nullptr));
  // Slots of the view role answer E_NOTIMPL on the application.
  EXPECT_EQ(E_NOTIMPL, host->Reserved3());
  host->Release();
}

TEST_F(HostServices, VersionTextRaisesTheVersionField) {
  IHostApplication* const host = ClassObject<IHostApplication>(CLSID_HostApplication, IID_IHostApplication);
  ASSERT_NE(nullptr, host);
  int32_t before = -1;
  ASSERT_EQ(S_OK, host->GetFieldValue(0, &before));
  ASSERT_EQ(S_OK, host->ReportVersionText(L"Module 1.0 Beta", 0));
  int32_t after = -1;
  ASSERT_EQ(S_OK, host->GetFieldValue(0, &after));
  EXPECT_EQ(before + 1, after);
  std::wstring text;
  ASSERT_TRUE(lumo_observe::GetVersionText(static_cast<uint32_t>(after - 1), text));
  EXPECT_EQ(L"Module 1.0 Beta", text);
  host->Release();
}

TEST_F(HostServices, SubjectRecordsAnnouncementsAndFrameworkRefusesUnknownIids) {
  ISubject* const subject = ClassObject<ISubject>(CLSID_LumoFrameWork, IID_ISubject);
  ASSERT_NE(nullptr, subject);
  lumo_observe::Clear();
  framework_test::PlainClass object(0, L"debug");
  ASSERT_EQ(S_OK, subject->Announce(kAnnounceObjectMade, &object));
  ASSERT_EQ(S_OK, subject->Announce(kAnnounceObjectDestroyed, &object));
  EXPECT_EQ(1u, lumo_observe::AnnouncementCount(kAnnounceObjectMade, &object));
  EXPECT_EQ(1u, lumo_observe::AnnouncementCount(kAnnounceObjectDestroyed));
  subject->Release();

  IObserverRegistry* const observers = ClassObject<IObserverRegistry>(CLSID_LumoFrameWork, IID_IObserverRegistry);
  ASSERT_NE(nullptr, observers);
  EXPECT_EQ(E_POINTER, observers->DetachObserver(nullptr));
  observers->Release();

  IUnknown* none = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(E_NOINTERFACE, CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassFactory,
                                            reinterpret_cast<void**>(&none)));
}

}  // namespace

namespace {

// Calls slot `slot` of object's table directly, as a host built by another compiler would.
template <class Fn>
Fn Slot(void* object, int slot) {
  void** const table = *static_cast<void***>(object);
  return reinterpret_cast<Fn>(table[slot]);
}

TEST_F(HostServices, SlotsSitWhereTheHostExpectsThem) {
  IHostApplication* const host = ClassObject<IHostApplication>(CLSID_HostApplication, IID_IHostApplication);
  ASSERT_NE(nullptr, host);
  lumo_observe::Clear();
  int32_t button = 0;
  using ShowFn = HRESULT(STDMETHODCALLTYPE*)(void*, HWND, const wchar_t*, const wchar_t*, uint32_t, int32_t*);
  ASSERT_EQ(S_OK, Slot<ShowFn>(host, 35)(host, nullptr, L"raw", L"slot", 0, &button));
  EXPECT_EQ(1u, lumo_observe::MessageBoxCount());
  using FieldFn = HRESULT(STDMETHODCALLTYPE*)(void*, uint32_t, int32_t*);
  int32_t value = -1;
  EXPECT_EQ(S_OK, Slot<FieldFn>(host, 51)(host, 0, &value));
  host->Release();

  ITypeRegistry* const types = ClassObject<ITypeRegistry>(CLSID_LumoFrameWork, IID_ITypeRegistry);
  ASSERT_NE(nullptr, types);
  using RegisterFn = HRESULT(STDMETHODCALLTYPE*)(void*, const GUID*, uint16_t*);
  uint16_t index = 0;
  ASSERT_EQ(S_OK, Slot<RegisterFn>(types, 3)(types, &CLSID_HostApplication, &index));
  using GuidFn = HRESULT(STDMETHODCALLTYPE*)(void*, uint32_t, GUID*);
  GUID back = {};
  ASSERT_EQ(S_OK, Slot<GuidFn>(types, 4)(types, index, &back));
  EXPECT_TRUE(IsEqualGUID(CLSID_HostApplication, back));
  types->Release();

  IClassRegistry* const classes = ClassObject<IClassRegistry>(CLSID_LumoFrameWork, IID_IClassRegistry);
  ASSERT_NE(nullptr, classes);
  using GetFn = HRESULT(STDMETHODCALLTYPE*)(void*, uint32_t, REFIID, void**);
  IUnknown* service = nullptr;
  ASSERT_EQ(S_OK, Slot<GetFn>(classes, 5)(classes, kObjectFactoryServiceId, IID_IUnknown,
                                          reinterpret_cast<void**>(&service)));
  service->Release();
  classes->Release();
}

// The host's own settings: the application starts visible; a value kept is given back as a copy;
// unknown keys answer S_FALSE and empty; both slots sit where the module calls them.
TEST_F(HostServices, SettingsKeepValuesByKeyAndTheApplicationStartsVisible) {
  IClassRegistry* const classes = ClassObject<IClassRegistry>(CLSID_LumoFrameWork, IID_IClassRegistry);
  ASSERT_NE(nullptr, classes);
  IHostSettings* settings = nullptr;
  ASSERT_EQ(S_OK, classes->GetClassObject(kSettingsServiceId, IID_IHostSettings, reinterpret_cast<void**>(&settings)));
  classes->Release();
  using GetFn = HRESULT(STDMETHODCALLTYPE*)(void*, const wchar_t*, VARIANT*);
  using SetFn = HRESULT(STDMETHODCALLTYPE*)(void*, const wchar_t*, const VARIANT*);
  VARIANT value;
  VariantInit(&value);
  ASSERT_EQ(S_OK, Slot<GetFn>(settings, 3)(settings, kApplicationVisibleKey, &value));
  EXPECT_EQ(VT_BOOL, value.vt);
  EXPECT_EQ(VARIANT_TRUE, value.boolVal);
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"kept");
  ASSERT_EQ(S_OK, Slot<SetFn>(settings, 4)(settings, L"test\\text", &text));
  VariantClear(&text);
  ASSERT_EQ(S_OK, settings->GetValue(L"test\\text", &value));
  ASSERT_EQ(VT_BSTR, value.vt);
  EXPECT_STREQ(L"kept", value.bstrVal);
  VariantClear(&value);
  EXPECT_EQ(S_FALSE, settings->GetValue(L"test\\missing", &value));
  EXPECT_EQ(VT_EMPTY, value.vt);
  EXPECT_EQ(E_POINTER, settings->GetValue(nullptr, &value));
  EXPECT_EQ(E_POINTER, settings->SetValue(L"test\\text", nullptr));
  settings->Release();
}

}  // namespace
