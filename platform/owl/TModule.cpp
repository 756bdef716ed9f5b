// OWL::TModule: wraps or loads a module.
#include "platform/owl/TModule.h"

namespace OWL {

TModule::TModule(const wchar_t* name, HINSTANCE instance, bool loaded)
    : mName(name ? name : L""), mInstance(instance) {
  if (mInstance || !loaded || mName.empty()) return;
  mInstance = LoadLibraryW(mName.c_str());
  mOwnsLibrary = mInstance != nullptr;
}

TModule::~TModule() {
  if (mOwnsLibrary) FreeLibrary(mInstance);
}

FARPROC TModule::GetProcAddress(const char* name) const noexcept {
  return mInstance ? ::GetProcAddress(mInstance, name) : nullptr;
}

}  // namespace OWL
