// OWL::TDialogRes: finds and copies a dialog template.
#include "platform/owl/TDialogRes.h"

#include "platform/owl/TApplication.h"

namespace OWL {

static HRSRC FindDialog(HINSTANCE instance, const TResId& id, LANGID language) noexcept {
  if (language) {
    if (HRSRC found = FindResourceExW(instance, MAKEINTRESOURCEW(5), id, language)) return found;
  }
  if (HRSRC found = FindResourceExW(instance, MAKEINTRESOURCEW(5), id,
                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)))
    return found;
  return ::FindResourceW(instance, id, MAKEINTRESOURCEW(5));
}

TDialogRes::TDialogRes(HINSTANCE instance, const TResId& id, LANGID language) {
  HRSRC const found = FindDialog(instance, id, language ? language : TApplication::GetLangId());
  if (!found) return;
  auto const* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(instance, found)));
  DWORD const size = SizeofResource(instance, found);
  if (bytes && size) mBytes.assign(bytes, bytes + size);
}

}  // namespace OWL
