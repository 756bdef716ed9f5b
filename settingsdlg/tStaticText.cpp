// The static text and group box wrappers.
#include "settingsdlg/tStaticText.h"

#include "platform/owl/TGroupBox.h"
#include "platform/owl/TStatic.h"

namespace ZR {

tStaticText::tStaticText(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId,
                         std::unique_ptr<OWL::TWindow> control)
    : tCtrl(store, parent, Doc::kNoSetting, controlId, -1), mControl(std::move(control)) {}

tStaticText::tStaticText(Doc::SettingsStore* store, OWL::TWindow* parent, int32_t controlId)
    : tStaticText(store, parent, controlId, std::make_unique<OWL::TStatic>(parent, controlId)) {}

tStaticText::~tStaticText() = default;

void tStaticText::Enable(bool enable) { mControl->EnableWindow(enable); }
void tStaticText::UpdateVisibility() { mControl->ShowWindow(IsHidden() ? SW_HIDE : SW_SHOW); }

tGroup::tGroup(Doc::SettingsStore* store, OWL::TWindow* parent)
    : tStaticText(store, parent, kControlId, std::make_unique<OWL::TGroupBox>(parent, kControlId)) {}

}  // namespace ZR
