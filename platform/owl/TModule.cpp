// OWL::TModule: wraps or loads a module; resources by language.
#include "platform/owl/TModule.h"

#include "platform/owl/TApplication.h"

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

HRSRC TModule::FindResource(const TResId& id, const wchar_t* type) const noexcept {
  if (!mInstance) return nullptr;
  LANGID const language = TApplication::GetLangId();
  if (language) {
    if (HRSRC found = FindResourceExW(mInstance, type, id, language)) return found;
  }
  if (HRSRC found = FindResourceExW(mInstance, type, id, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)))
    return found;
  return ::FindResourceW(mInstance, id, type);
}

// Strings live in blocks of 16: block id / 16 + 1, entry id % 16, each a length and UTF-16.
std::wstring TModule::LoadString(UINT id) const {
  HRSRC const block = FindResource(TResId(static_cast<int>(id / 16 + 1)), MAKEINTRESOURCEW(6));
  if (!block) return {};
  auto const* p = static_cast<const wchar_t*>(LockResource(LoadResource(mInstance, block)));
  if (!p) return {};
  for (UINT i = 0; i < id % 16; ++i) p += 1 + static_cast<UINT>(*p);
  return std::wstring(p + 1, static_cast<size_t>(*p));
}

HBITMAP TModule::LoadBitmap(const TResId& id) const noexcept {
  return mInstance ? ::LoadBitmapW(mInstance, id) : nullptr;
}

HINSTANCE TModule::CodeInstance() noexcept {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&TModule::CodeInstance), &module);
  return module;
}

static TModule* gDefault = nullptr;

TModule& TModule::Default() noexcept {
  if (gDefault) return *gDefault;
  static TModule module(nullptr, CodeInstance(), true);
  return module;
}

void TModule::SetDefault(TModule* module) noexcept { gDefault = module; }

}  // namespace OWL
