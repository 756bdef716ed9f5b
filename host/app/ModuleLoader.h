// Loading an extension module the way the host does: LoadLibrary, then its DllRegisterClassObjects.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace ondara_host {

// Loads the module at path and runs its registration export. The module stays
// loaded for the process (the framework holds its class objects). Answers the
// export's result, or the load failure.
HRESULT LoadAndRegisterModule(const wchar_t* path);

}  // namespace ondara_host
