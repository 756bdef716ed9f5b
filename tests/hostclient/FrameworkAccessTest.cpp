// Cached framework access: fetch once, recover once, and the registered framework's services.
#include "hostclient/FrameworkAccess.h"

#include "host/app/HostFramework.h"
#include "host/framework/HostObservation.h"
#include "hostclient/FrameworkLoader.h"
#include "hostclient/FrameworkLoaderPrivate.h"
#include "hostclient/HostMessageBox.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Dummy final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) noexcept override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++mCount; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return --mCount; }
  ULONG mCount = 1;
};

Dummy gService;
int gFetches = 0;
int gRecoveries = 0;
bool gFetchSucceeds = true;

HRESULT CountingFetch(void** out) {
  ++gFetches;
  *out = nullptr;
  if (!gFetchSucceeds) return REGDB_E_CLASSNOTREG;
  gService.AddRef();
  *out = &gService;
  return S_OK;
}

void CountingRecover() {
  ++gRecoveries;
  gFetchSucceeds = true;
}

void ThrowingRecover() {
  ++gRecoveries;
  throw QOR::XHResult(E_FAIL);
}

TEST(CachedService, SecondCallFetchesNothingAndKeepsNoReference) {
  gFetches = 0;
  gRecoveries = 0;
  gFetchSucceeds = true;
  QOR::CachedService service(&CountingFetch, &CountingRecover);
  EXPECT_EQ(&gService, service.Get());
  EXPECT_EQ(&gService, service.Get());
  EXPECT_EQ(1, gFetches);
  EXPECT_EQ(0, gRecoveries);
  EXPECT_EQ(1u, gService.mCount);
}

TEST(CachedService, FailedFetchRecoversOnceAndRetries) {
  gFetches = 0;
  gRecoveries = 0;
  gFetchSucceeds = false;
  QOR::CachedService service(&CountingFetch, &CountingRecover);
  EXPECT_EQ(&gService, service.Get());
  EXPECT_EQ(2, gFetches);
  EXPECT_EQ(1, gRecoveries);
  EXPECT_EQ(1u, gService.mCount);
}

TEST(CachedService, RecoveryThatThrowsGivesNullAndLaterCallsRetry) {
  gFetches = 0;
  gRecoveries = 0;
  gFetchSucceeds = false;
  QOR::CachedService service(&CountingFetch, &ThrowingRecover);
  EXPECT_EQ(nullptr, service.Get());
  EXPECT_EQ(nullptr, service.Get());
  EXPECT_EQ(2, gRecoveries);
  gFetchSucceeds = true;
  EXPECT_EQ(&gService, service.Get());
}

std::wstring gShownText;
std::wstring gShownCaption;
int gExitCode = 0;

void RecordShow(const wchar_t* text, const wchar_t* caption) {
  gShownText = text;
  gShownCaption = caption;
}
void RecordExit(int code) { gExitCode = code; }

TEST(FrameworkLoader, MissingLibraryShowsCutMessageThenEndsProcess) {
  std::wstring path = L"C:\\";
  while (path.size() < 600) path += L"missing-folder\\";
  path += L"Lumo.dll";
  const QOR::FrameworkLoadFailureActions previous =
      QOR::SetFrameworkLoadFailureActions({&RecordShow, &RecordExit});
  gExitCode = 0;
  EXPECT_THROW(QOR::LoadFrameworkLibraryFrom(path.c_str()), QOR::XHResult);
  QOR::SetFrameworkLoadFailureActions(previous);
  EXPECT_EQ(-1, gExitCode);
  EXPECT_EQ(L"Scrivo load failed", gShownCaption);
  ASSERT_EQ(511u, gShownText.size());
  EXPECT_EQ(L"Scrivo failed to load " + path.substr(0, 511 - 22), gShownText);
  EXPECT_EQ(L"Scrivo failed to load x.dll", QOR::FrameworkLoadFailureText(L"x.dll"));
}

TEST(FrameworkLoader, LibraryPathIsBesideTheExecutable) {
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring expected(module);
  expected.erase(expected.find_last_of(L"\\/") + 1);
  EXPECT_EQ(expected + L"Lumo.dll", QOR::FrameworkLibraryPath());
}

class RegisteredFramework : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
};

TEST_F(RegisteredFramework, AccessorsAnswerTheSameServiceEachTime) {
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  ASSERT_NE(nullptr, registry);
  EXPECT_EQ(registry, ObjectFactoryAccessor::Get());
  EXPECT_NE(nullptr, GetTypeRegistry());
  EXPECT_NE(nullptr, GetMessageFactory());
  EXPECT_NE(nullptr, GetObserverRegistry());
  EXPECT_NE(nullptr, GetFrameworkSubject());
  EXPECT_NE(nullptr, GetUnitTestService());
  IObjectFactory* const factory = GetObjectFactory();
  ASSERT_NE(nullptr, factory);
  EXPECT_EQ(factory, GetObjectFactory());
  // A class id nobody registered creates nothing.
  IUnknown* created = reinterpret_cast<IUnknown*>(1);
  EXPECT_TRUE(FAILED(factory->CreateByClassId(0x7FFE0001u, 0, &created)));
  EXPECT_EQ(nullptr, created);
}

TEST_F(RegisteredFramework, LoaderReturnsAtOnceWhenTheClassIsRegistered) {
  const HMODULE before = GetModuleHandleW(L"Lumo.dll");
  EXPECT_NO_THROW(LoadLumoFramework());
  EXPECT_EQ(before, GetModuleHandleW(L"Lumo.dll"));
}

TEST_F(RegisteredFramework, HostMessageBoxIsRecordedAndAnsweredOk) {
  ASSERT_NE(nullptr, GetHostApplication());
  lumo_observe::Clear();
  EXPECT_EQ(IDOK, HostMessageBox(L"Text", L"Caption"));
  ASSERT_EQ(1u, lumo_observe::MessageBoxCount());
  lumo_observe::MessageBoxSeen seen;
  ASSERT_TRUE(lumo_observe::GetMessageBox(0, seen));
  EXPECT_EQ(L"Text", seen.text);
  EXPECT_EQ(L"Caption", seen.caption);
  EXPECT_EQ(0x2010u, seen.style);
}

}  // namespace
