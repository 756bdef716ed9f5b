// OWL::TApplication: language and main window, kept with the base library's resource language.
#include "platform/owl/TApplication.h"

#include "base/ResourceString.h"

namespace OWL {

static TWindow* gMainWindow = nullptr;

LANGID TApplication::GetLangId() noexcept { return QOR::GetApplicationResourceLanguage(); }

void TApplication::SetLangId(LANGID language) noexcept {
  QOR::SetApplicationResourceLanguage(language);
}

TWindow* TApplication::GetMainWindow() noexcept { return gMainWindow; }
void TApplication::SetMainWindow(TWindow* window) noexcept { gMainWindow = window; }

}  // namespace OWL
