// OWL::TApplication: what the module keeps of the running application: its user-interface
// language (for resources) and its main window.
#pragma once

#include <windows.h>

namespace OWL {

class TWindow;

// Process-wide; user-interface thread only.
class TApplication {
 public:
  // The language resources are looked up in first; 0 while none was set (the system's choice).
  static LANGID GetLangId() noexcept;
  static void SetLangId(LANGID language) noexcept;
  // The primary language (LANG_CHINESE, LANG_JAPANESE, ...).
  static WORD GetPrimaryLanguage() noexcept { return PRIMARYLANGID(GetLangId()); }

  // The window owning the module's top-level windows; null when there is none. Not owned.
  static TWindow* GetMainWindow() noexcept;
  static void SetMainWindow(TWindow* window) noexcept;
};

}  // namespace OWL
