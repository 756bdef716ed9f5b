// Loading the host framework library ("Lumo.dll") when its class is not registered in the process.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace QOR {

// A plain exception carrying the HRESULT of a failed framework registration.
class XHResult : public std::exception {
 public:
  explicit XHResult(HRESULT code) noexcept : mCode(code) {}
  HRESULT code() const noexcept { return mCode; }
  const char* what() const noexcept override { return "framework registration failed"; }

 private:
  HRESULT mCode;
};

// Makes CLSID_LumoFrameWork reachable: returns at once when the class is
// registered; else initialises OLE once per process (S_OK or S_FALSE, balanced
// at exit; any failure throws XQOR and is retried by a later call) and loads
// and registers the framework library once per process (retried after a throw).
void LoadLumoFramework();

// Loads "Lumo.dll" from the host executable's folder and registers its class
// object in the process. A library that is missing or has no DllGetClassObject
// shows "Scrivo failed to load <path>" (cut to 511 characters) and ends the
// process with exit code -1. Failures of DllGetClassObject or of the
// registration throw XHResult.
void LoadFrameworkLibrary();

// What the missing-library road does; replaceable so that a test can watch it
// without losing the process.
struct FrameworkLoadFailureActions {
  // Shows text with caption (defaults to MessageBoxExW, no owner, MB_OK, language 0).
  void (*showMessage)(const wchar_t* text, const wchar_t* caption);
  // Ends the process (defaults to exit); a replacement that returns makes
  // LoadFrameworkLibrary throw XHResult(E_FAIL) instead.
  void (*endProcess)(int exitCode);
};
// Installs replacement actions and returns the previous ones.
FrameworkLoadFailureActions SetFrameworkLoadFailureActions(FrameworkLoadFailureActions actions) noexcept;

// The failure text for a library path: "Scrivo failed to load " + path, at most 511 characters.
std::wstring FrameworkLoadFailureText(const wchar_t* libraryPath);

}  // namespace QOR

using QOR::LoadLumoFramework;
