// HostFramework: the host's own registration of the framework's class objects, done before any module loads.
#pragma once

#include <windows.h>

#include <string>

namespace ondara_host {

// Initialises OLE on the calling thread, loads "Lumo.dll" from the host
// executable's folder and registers its class objects in the process (the
// framework, the host application and the unit-test service) and the host's own
// classes with the framework's registry, as the host does before it loads a module. The destructor revokes the registrations and
// uninitialises OLE; the library stays loaded, since modules keep pointers to
// its services for the life of the process.
class HostFramework {
 public:
  HostFramework();
  ~HostFramework();
  HostFramework(const HostFramework&) = delete;
  HostFramework& operator=(const HostFramework&) = delete;

  // S_OK when every class object is registered; otherwise the first failure.
  HRESULT Status() const noexcept { return mStatus; }

 private:
  HRESULT Register();
  HRESULT RegisterHostClasses();

  HRESULT mStatus = E_FAIL;
  bool mOleInitialised = false;
  DWORD mCookies[4] = {};
};

// Registers the framework once per process on the calling thread (idempotent)
// and answers the registration's status. Test programs call it before they use
// the module's framework access. The registration is kept until the process ends.
HRESULT EnsureHostFramework();

// Full path of a file beside the host executable.
std::wstring PathBesideExecutable(const wchar_t* fileName);

}  // namespace ondara_host
