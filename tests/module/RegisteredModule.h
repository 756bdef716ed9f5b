// The module loaded beside the test program and registered with the stand-in framework once per
// program, the host's way, whichever suite asks first.
#pragma once

#include "host/app/HostFramework.h"
#include "host/app/ModuleLoader.h"

#include <windows.h>

namespace moduletest {

inline HRESULT RegisterModuleOnce() {
  static const HRESULT registered = [] {
    const HRESULT framework = ondara_host::EnsureHostFramework();
    if (FAILED(framework)) return framework;
    return ondara_host::LoadAndRegisterModule(ondara_host::PathBesideExecutable(L"Ondara.dll").c_str());
  }();
  return registered;
}

}  // namespace moduletest
