// LoadLumoFramework and LoadFrameworkLibrary: the module's own road to the host framework.
#include "hostclient/FrameworkLoader.h"

#include "base/XQOR.h"
#include "hostapi/ClassRegistry.h"
#include "hostclient/FrameworkLoaderPrivate.h"

#include <objbase.h>
#include <ole2.h>

#include <cstdlib>

namespace QOR {

namespace {

constexpr unsigned kOleInitialised = 1u;
constexpr unsigned kLibraryAttempted = 2u;

// Not locked: the framework is loaded on the host's user-interface thread.
unsigned gLoaderFlags = 0;
HMODULE* gLibrary = nullptr;  // heap-held, freed with FreeLibrary at exit
DWORD gRegistrationCookie = 0;

void DefaultShowMessage(const wchar_t* text, const wchar_t* caption) {
  MessageBoxExW(nullptr, text, caption, MB_OK, 0);
}

void DefaultEndProcess(int exitCode) { std::exit(exitCode); }

FrameworkLoadFailureActions gFailureActions{&DefaultShowMessage, &DefaultEndProcess};

void UninitialiseOle() { OleUninitialize(); }

void RevokeAndFreeLibrary() {
  if (gRegistrationCookie != 0) CoRevokeClassObject(gRegistrationCookie);
  gRegistrationCookie = 0;
  if (gLibrary) {
    FreeLibrary(*gLibrary);
    delete gLibrary;
    gLibrary = nullptr;
  }
}

void HoldLibrary(HMODULE library) {
  if (gLibrary) {
    if (*gLibrary) FreeLibrary(*gLibrary);
    *gLibrary = library;
    return;
  }
  gLibrary = new HMODULE(library);
}

bool FrameworkClassRegistered() {
  IUnknown* probe = nullptr;
  const HRESULT hr =
      CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IUnknown,
                       reinterpret_cast<void**>(&probe));
  if (probe) probe->Release();
  return SUCCEEDED(hr);
}

}  // namespace

FrameworkLoadFailureActions SetFrameworkLoadFailureActions(
    FrameworkLoadFailureActions actions) noexcept {
  const FrameworkLoadFailureActions previous = gFailureActions;
  gFailureActions.showMessage = actions.showMessage ? actions.showMessage : &DefaultShowMessage;
  gFailureActions.endProcess = actions.endProcess ? actions.endProcess : &DefaultEndProcess;
  return previous;
}

std::wstring FrameworkLoadFailureText(const wchar_t* libraryPath) {
  std::wstring text = L"Scrivo failed to load ";
  text += libraryPath ? libraryPath : L"";
  if (text.size() > 511) text.resize(511);
  return text;
}

std::wstring FrameworkLibraryPath() {
  wchar_t module[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring path(module, length < MAX_PATH ? length : MAX_PATH);
  const std::wstring::size_type slash = path.find_last_of(L"\\/");
  path.erase(slash == std::wstring::npos ? 0 : slash + 1);
  path += kLumoLibraryName;
  // Canonical form: "." and ".." parts resolved.
  wchar_t full[1024];
  const DWORD fullLength = GetFullPathNameW(path.c_str(), 1024, full, nullptr);
  if (fullLength == 0 || fullLength >= 1024) return path;
  return std::wstring(full, fullLength);
}

void LoadFrameworkLibraryFrom(const wchar_t* path) {
  HMODULE const library = LoadLibraryW(path);
  HoldLibrary(library);
  using DllGetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto getClassObject = library ? reinterpret_cast<DllGetClassObjectFn>(reinterpret_cast<void*>(
                                            GetProcAddress(library, "DllGetClassObject")))
                                      : nullptr;
  if (!getClassObject) {
    const std::wstring text = FrameworkLoadFailureText(path);
    gFailureActions.showMessage(text.c_str(), L"Scrivo load failed");
    gFailureActions.endProcess(-1);
    // Only a replaced end-of-process action comes back here.
    throw XHResult(E_FAIL);
  }
  IUnknown* object = nullptr;
  HRESULT hr = getClassObject(CLSID_LumoFrameWork, IID_IUnknown, reinterpret_cast<void**>(&object));
  if (FAILED(hr)) throw XHResult(hr);
  DWORD cookie = 0;
  hr = CoRegisterClassObject(CLSID_LumoFrameWork, object, CLSCTX_INPROC_SERVER,
                             REGCLS_MULTIPLEUSE, &cookie);
  object->Release();
  if (FAILED(hr)) throw XHResult(hr);
  gRegistrationCookie = cookie;
}

void LoadFrameworkLibrary() { LoadFrameworkLibraryFrom(FrameworkLibraryPath().c_str()); }

void LoadLumoFramework() {
  if (FrameworkClassRegistered()) return;
  if (!(gLoaderFlags & kOleInitialised)) {
    gLoaderFlags |= kOleInitialised;
    const HRESULT hr = OleInitialize(nullptr);
    // S_FALSE: OLE was already initialised on this thread; the call still counts
    // and is balanced at exit like S_OK.
    if (hr != S_OK && hr != S_FALSE) {
      gLoaderFlags &= ~kOleInitialised;
      throw XQOR(hr);
    }
    std::atexit(&UninitialiseOle);
  }
  if (!(gLoaderFlags & kLibraryAttempted)) {
    gLoaderFlags |= kLibraryAttempted;
    try {
      LoadFrameworkLibrary();
    } catch (...) {
      gLoaderFlags &= ~kLibraryAttempted;
      throw;
    }
    std::atexit(&RevokeAndFreeLibrary);
  }
}

}  // namespace QOR
