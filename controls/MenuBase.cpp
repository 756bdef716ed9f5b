// QOR::MenuBase: finding and building a menu template.
#include "controls/MenuBase.h"

#include "base/OFormatStream.h"
#include "controls/ControlsStringIds.h"
#include "platform/owl/TApplication.h"
#include "platform/owl/TModalSeam.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TWindow.h"

namespace QOR {

namespace {

const MENUTEMPLATEW* FindTemplate(HINSTANCE instance, const OWL::TResId& name) noexcept {
  HRSRC resource = FindResourceExW(instance, MAKEINTRESOURCEW(4), name, OWL::TApplication::GetLangId());
  if (!resource) resource = FindResourceW(instance, name, MAKEINTRESOURCEW(4));  // RT_MENU
  if (!resource) return nullptr;
  HGLOBAL const loaded = LoadResource(instance, resource);
  return loaded ? static_cast<const MENUTEMPLATEW*>(LockResource(loaded)) : nullptr;
}

void ReportMissing(const OWL::TModule& module, const OWL::TResId& name) {
  QOR::String const format(module.LoadString(IDS_MENU_TEMPLATE_MISSING).c_str());
  OFormatStringStream text(format);
  if (name.IsString()) text << name.GetPointerRepresentation();
  else text << name.GetInt();
  OWL::TWindow* const main = OWL::TApplication::GetMainWindow();
  OWL::TModalSeam::Current().MessageBox(main ? main->GetHandle() : nullptr, text.str().GetText(), nullptr,
                                        MB_OK | MB_ICONERROR);
}

}  // namespace

// A missing template gives an empty menu, so callers never build on a null template.
HMENU MenuBase::Build(const OWL::TResId& name, const OWL::TModule* module, bool& found) {
  const OWL::TModule& owner = module ? *module : OWL::TModule::Default();
  const MENUTEMPLATEW* const menuTemplate = FindTemplate(owner.GetHandle(), name);
  HMENU const menu = menuTemplate ? LoadMenuIndirectW(menuTemplate) : nullptr;
  found = menu != nullptr;
  if (found) return menu;
  ReportMissing(owner, name);
  return CreateMenu();
}

MenuBase::MenuBase(const OWL::TResId& name, const OWL::TModule* module)
    : TMenu(static_cast<HMENU>(nullptr)) {
  mHandle = Build(name, module, mFound);
  mOwned = true;
}

}  // namespace QOR
