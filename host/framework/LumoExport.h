// A function Lumo.dll exports, looked up in the copy already loaded in the process (never loading
// it); null without a loaded Lumo.dll or such an export.
#pragma once

#include <windows.h>

namespace lumo_export {

template <class Fn>
Fn Export(const char* name) {
  HMODULE const library = GetModuleHandleW(L"Lumo.dll");
  if (!library) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace lumo_export
