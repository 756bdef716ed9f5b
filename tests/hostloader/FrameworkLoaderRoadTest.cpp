// The module's own road to the framework: nothing registered, "Lumo.dll" loaded from beside the executable.
// This program must never register the framework itself: the first fetch has to find it missing.
#include "hostclient/FrameworkAccess.h"
#include "hostclient/FrameworkLoader.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <string>

namespace {

std::wstring ExecutableFolder() {
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring folder(module);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  return folder;
}

bool FrameworkRegistered() {
  IUnknown* probe = nullptr;
  const HRESULT hr = CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IUnknown,
                                      reinterpret_cast<void**>(&probe));
  if (probe) probe->Release();
  return SUCCEEDED(hr);
}

// The host initialised OLE before the module asks for the framework, so the
// module's own OleInitialize answers S_FALSE, which must count as success.
TEST(FrameworkLoaderRoad, FirstFetchLoadsLumoBesideTheExecutable) {
  ASSERT_EQ(nullptr, GetModuleHandleW(L"Lumo.dll"));
  ASSERT_EQ(S_OK, OleInitialize(nullptr));
  ASSERT_FALSE(FrameworkRegistered());

  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  ASSERT_NE(nullptr, registry);
  EXPECT_EQ(registry, ObjectFactoryAccessor::Get());

  HMODULE const library = GetModuleHandleW(L"Lumo.dll");
  ASSERT_NE(nullptr, library);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(library, path, MAX_PATH);
  EXPECT_EQ(0, _wcsicmp((ExecutableFolder() + L"Lumo.dll").c_str(), path));
  EXPECT_TRUE(FrameworkRegistered());
}

TEST(FrameworkLoaderRoad, OtherServicesComeFromTheLoadedFramework) {
  EXPECT_NE(nullptr, GetTypeRegistry());
  EXPECT_NE(nullptr, GetMessageService());
  EXPECT_NE(nullptr, GetObjectFactory());
  // Only the framework class is registered on this road, not the host's own classes.
  EXPECT_EQ(nullptr, GetHostApplication());
  EXPECT_NO_THROW(LoadLumoFramework());
}

}  // namespace
