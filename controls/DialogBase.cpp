// QOR::DialogBase: where the dialog template comes from.
#include "controls/DialogBase.h"

#include "platform/owl/TApplication.h"
#include "platform/owl/TDialogRes.h"
#include "platform/owl/TModule.h"
#include "platform/uihelpers/DialogWidthFit.h"

namespace QOR {

namespace {

OWL::TDialogRes FindTemplate(const OWL::TResId& resId, OWL::TModule* module) {
  HINSTANCE const instance = module ? module->GetHandle() : OWL::TModule::Default().GetHandle();
  return OWL::TDialogRes(instance, resId, OWL::TApplication::GetLangId());
}

}  // namespace

DialogBase::DialogBase(OWL::TWindow* parent, const OWL::TResId& resId, OWL::TModule* module)
    : DialogBase(parent, FindTemplate(resId, module), module) {}

DialogBase::DialogBase(OWL::TWindow* parent, const OWL::TDialogRes& res, OWL::TModule* module)
    : OWL::TDialog(parent, res.GetTemplate(), res.GetSize(), module) {}

bool DialogBase::EvInitDialog(HWND focus) {
  FitDialogToFontWidth(mHandle);
  return OWL::TDialog::EvInitDialog(focus);
}

}  // namespace QOR
