// The trace bar: stack, overlay, source trace only.
#include "drawing/TraceControlWin.h"

#include "controls/UxSizableButtonGadget.h"
#include "drawing/PreviewResourceIds.h"
#include "platform/owl/TCommandEnabler.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TTextGadget.h"

#include <memory>

namespace ScrivoDraw {

DEFINE_RESPONSE_TABLE1(TraceControlWin, PreviewBarWindow)
  EV_COMMAND(IDC_TRACE_STACK, CmStack),
  EV_COMMAND(IDC_TRACE_OVERLAY, CmOverlay),
  EV_COMMAND(IDC_TRACE_SOURCE_ONLY, CmSourceOnly),
  EV_COMMAND_ENABLE(IDC_TRACE_STACK, CeButton),
  EV_COMMAND_ENABLE(IDC_TRACE_OVERLAY, CeButton),
  EV_COMMAND_ENABLE(IDC_TRACE_SOURCE_ONLY, CeButton),
END_RESPONSE_TABLE;

namespace {

constexpr int32_t kStack = 2;
constexpr int32_t kOverlay = 4;
constexpr int32_t kSourceOnly = 8;
constexpr uint8_t kSourceOnlyDown = 1;
constexpr uint8_t kSourceOnlyUp = 2;

void InsertButton(OWL::TGadgetWindow& bar, int id, int image, OWL::TButtonGadget::TType type) {
  bar.Insert(*new UxSizableButtonGadget(id, OWL::TResId(image), type));
}

}  // namespace

TraceControlWin::TraceControlWin(OWL::TWindow* parent, PreviewControlOwner& owner, uint32_t mask)
    : PreviewBarWindow(parent), mOwner(owner), mButtonMask(mask) {
  InsertButton(*this, IDC_TRACE_STACK, IDB_TRACE_STACK, OWL::TButtonGadget::Command);
  InsertButton(*this, IDC_TRACE_OVERLAY, IDB_TRACE_OVERLAY, OWL::TButtonGadget::Command);
  auto spacer = std::make_unique<OWL::TTextGadget>(IDC_TRACE_SPACER, OWL::TGadget::None, OWL::TTextGadget::Left, 1);
  spacer->SetEnabled(false);
  Insert(*spacer.release());
  InsertButton(*this, IDC_TRACE_SOURCE_ONLY, IDB_TRACE_SOURCE_ONLY, OWL::TButtonGadget::NonExclusive);
}

void TraceControlWin::SetupWindow() {
  PreviewBarWindow::SetupWindow();
  EnableButtons(mButtonMask);
  MarkSetUp();
}

OWL::TButtonGadget* TraceControlWin::Button(int id) const noexcept {
  return dynamic_cast<OWL::TButtonGadget*>(GadgetWithId(id));
}

std::wstring TraceControlWin::GetHintText(int id) {
  switch (id) {
    case IDC_TRACE_STACK:
      return GetModule()->LoadString(IDS_TIP_STACK);
    case IDC_TRACE_OVERLAY:
      return GetModule()->LoadString(IDS_TIP_OVERLAY);
    case IDC_TRACE_SOURCE_ONLY:
      return GetModule()->LoadString(IDS_TIP_SOURCE_ONLY);
    default:
      return {};
  }
}

void TraceControlWin::EnableButtons(uint32_t mask) {
  mButtonMask = mask;
  ApplyMask();
}

bool TraceControlWin::SourceOnlyDown() const noexcept {
  OWL::TButtonGadget* const button = Button(IDC_TRACE_SOURCE_ONLY);
  return button && button->GetButtonState() == OWL::TButtonGadget::Down;
}

// Stack and overlay make no sense while only the source trace is shown.
bool TraceControlWin::ShouldEnable(int id) const noexcept {
  bool const allowed = (mButtonMask & static_cast<uint32_t>(id)) != 0;
  return id == IDC_TRACE_SOURCE_ONLY ? allowed : allowed && !SourceOnlyDown();
}

void TraceControlWin::ApplyMask() {
  for (int const id : {IDC_TRACE_STACK, IDC_TRACE_OVERLAY, IDC_TRACE_SOURCE_ONLY})
    if (OWL::TButtonGadget* button = Button(id)) button->SetEnabled(ShouldEnable(id));
}

void TraceControlWin::CeButton(OWL::TCommandEnabler& enabler) {
  enabler.Enable(ShouldEnable(static_cast<int>(enabler.GetId())));
}

void TraceControlWin::CmStack() {
  mOwner.TraceAction(kStack, 0);
  mLastScale = 1;
}

void TraceControlWin::CmOverlay() {
  mOwner.TraceAction(kOverlay, 0);
  mLastScale = 0;
}

void TraceControlWin::CmSourceOnly() {
  bool const down = SourceOnlyDown();
  ApplyMask();
  if (down) {
    mOwner.TraceAction(kSourceOnly, kSourceOnlyDown);
    return;
  }
  mOwner.TraceAction(kSourceOnly, kSourceOnlyUp);
  mOwner.TraceAction(mLastScale == 1 ? kStack : kOverlay, 0);
}

}  // namespace ScrivoDraw
