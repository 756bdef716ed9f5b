// The "selfchecks" command: loads the module the host's way and lists or runs its self-checks.
#include "host/app/HostFramework.h"
#include "host/app/ModuleLoader.h"
#include "host/app/SelfCheckRunner.h"
#include "host/common/HostPtr.h"
#include "host/common/MessageText.h"
#include "host/formula/FormulaEnumClass.h"
#include "hostapi/UnitTestService.h"

#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace ondara_host {

// selfchecks [--list] [module]: the module defaults to Ondara.dll beside the executable. The exit
// status is 1 when a case fails or the module cannot be loaded, 2 for a usage error.
int RunSelfChecksCommand(int argc, wchar_t** argv) {
  bool listOnly = false;
  std::wstring module;
  constexpr char kUsage[] = "usage: ondara-host selfchecks [--list] [module]";
  for (int i = 0; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--help") == 0) {
      std::printf("%s\n", kUsage);
      return 0;
    }
    if (std::wcscmp(argv[i], L"--list") == 0 && !listOnly) {
      listOnly = true;
    } else if (argv[i][0] != L'-' && module.empty()) {
      module = argv[i];
    } else {
      host::PrintMessageLine(kUsage);
      return 2;
    }
  }
  if (module.empty()) module = PathBesideExecutable(L"Ondara.dll");
  // The unit-test service and the test documents are registered with the framework before the
  // module's registration runs.
  HRESULT hr = EnsureHostFramework();
  if (SUCCEEDED(hr)) hr = host::RegisterFormulaEnumClassWithFramework(nullptr);
  if (FAILED(hr)) {
    host::PrintMessageLine("framework registration failed: " + host::HexCode(hr));
    return 1;
  }
  hr = LoadAndRegisterModule(module.c_str());
  if (FAILED(hr)) {
    host::PrintMessageLine("module " + host::Utf8FromWide(module) + " not registered: " + host::HexCode(hr));
    return 1;
  }
  host::HostPtr<IUnitTestService> service;
  hr = CoGetClassObject(CLSID_UnitTestService, CLSCTX_ALL, nullptr, IID_IUnitTestService,
                        reinterpret_cast<void**>(service.Out()));
  if (FAILED(hr) || !service) {
    host::PrintMessageLine("unit-test service not reachable: " + host::HexCode(hr));
    return 1;
  }
  return RunSelfChecks(*service.Get(), listOnly, stdout) == 0 ? 0 : 1;
}

}  // namespace ondara_host
