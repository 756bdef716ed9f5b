// HostFramework: OLE, then the framework library's class objects registered in-process.
#include "host/app/HostFramework.h"

#include "host/app/HostProgress.h"
#include "host/common/HostPtr.h"
#include "host/data/TestDocumentClass.h"
#include "host/data/FormulaCalculation.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/HostApplication.h"
#include "hostapi/UnitTestService.h"
#include "hostapi/ViewPrinting.h"

#include <objbase.h>
#include <ole2.h>

namespace ondara_host {

namespace {

const CLSID* const kFrameworkClasses[4] = {&CLSID_LumoFrameWork, &CLSID_HostApplication,
                                           &CLSID_UnitTestService, &CLSID_HostCopyService};

}  // namespace

std::wstring PathBesideExecutable(const wchar_t* fileName) {
  wchar_t module[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring path(module, length);
  const std::wstring::size_type slash = path.find_last_of(L"\\/");
  path.erase(slash == std::wstring::npos ? 0 : slash + 1);
  return path + fileName;
}

HRESULT EnsureHostFramework() {
  // Never destroyed: modules keep the framework's services until the process ends,
  // and revoking during static destruction would race their own clean-up.
  static HostFramework* const framework = new HostFramework;
  return framework->Status();
}

HostFramework::HostFramework() {
  const HRESULT hr = OleInitialize(nullptr);
  mOleInitialised = SUCCEEDED(hr);
  mStatus = mOleInitialised ? Register() : hr;
}

HostFramework::~HostFramework() {
  for (DWORD& cookie : mCookies) {
    if (cookie != 0) CoRevokeClassObject(cookie);
    cookie = 0;
  }
  if (mOleInitialised) OleUninitialize();
}

HRESULT HostFramework::Register() {
  HMODULE const library = LoadLibraryW(PathBesideExecutable(kLumoLibraryName).c_str());
  if (!library) return HRESULT_FROM_WIN32(GetLastError());
  using DllGetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(
      reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
  if (!getClassObject) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  for (int i = 0; i < 4; ++i) {
    IUnknown* object = nullptr;
    HRESULT hr = getClassObject(*kFrameworkClasses[i], IID_IUnknown, reinterpret_cast<void**>(&object));
    if (FAILED(hr)) return hr;
    hr = CoRegisterClassObject(*kFrameworkClasses[i], object, CLSCTX_INPROC_SERVER,
                               REGCLS_MULTIPLEUSE, &mCookies[i]);
    object->Release();
    if (FAILED(hr)) return hr;
  }
  return RegisterHostClasses();
}

// The host's own classes that modules create through the framework: formula calculations on
// data objects, progress objects and the self-checks' test documents.
HRESULT HostFramework::RegisterHostClasses() {
  host::HostPtr<IClassRegistry> registry;
  host::HostPtr<ITypeRegistry> types;
  HRESULT hr = CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                                reinterpret_cast<void**>(registry.Out()));
  if (SUCCEEDED(hr))
    hr = CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                          reinterpret_cast<void**>(types.Out()));
  if (SUCCEEDED(hr)) hr = host::RegisterFormulaCalculationClasses(registry.Get(), types.Get());
  if (SUCCEEDED(hr)) hr = host::RegisterProgressClass(registry.Get(), types.Get());
  if (SUCCEEDED(hr)) hr = host::RegisterTestDocumentClass(registry.Get(), types.Get());
  return hr;
}

}  // namespace ondara_host
