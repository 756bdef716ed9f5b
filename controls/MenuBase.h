// QOR::MenuBase: a menu built from a menu template of the module's resources in the
// application's language.
#pragma once

#include "platform/owl/TMenu.h"
#include "platform/owl/TResId.h"

namespace OWL {
class TModule;
}

namespace QOR {

class MenuBase : public OWL::TMenu {
 public:
  // The template name of module in the application's language, else in any language. A
  // missing template gives an empty menu and a message box saying which menu is missing.
  explicit MenuBase(const OWL::TResId& name, const OWL::TModule* module = nullptr);

  // False when the template was missing.
  bool IsTemplateFound() const noexcept { return mFound; }

 private:
  static HMENU Build(const OWL::TResId& name, const OWL::TModule* module, bool& found);

  bool mFound = false;
};

}  // namespace QOR
