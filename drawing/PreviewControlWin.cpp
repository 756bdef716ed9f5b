// The preview bar: recorded data, sampling, pause.
#include "drawing/PreviewControlWin.h"

#include "base/HostSettings.h"
#include "base/OFormatStream.h"
#include "controls/UxSizableButtonGadget.h"
#include "drawing/PreviewResourceIds.h"
#include "platform/owl/TCommandEnabler.h"
#include "platform/owl/TModule.h"

#include <memory>

namespace ScrivoDraw {

DEFINE_RESPONSE_TABLE1(PreviewControlWin, PreviewBarWindow)
  EV_COMMAND(IDC_PREVIEW_RECORDED, CmRecorded),
  EV_COMMAND(IDC_PREVIEW_SAMPLE, CmSample),
  EV_COMMAND(IDC_PREVIEW_PAUSE, CmPause),
  EV_COMMAND_ENABLE(IDC_PREVIEW_RECORDED, CeRecorded),
  EV_COMMAND_ENABLE(IDC_PREVIEW_SAMPLE, CeSample),
  EV_COMMAND_ENABLE(IDC_PREVIEW_PAUSE, CePause),
END_RESPONSE_TABLE;

namespace {

void InsertButton(OWL::TGadgetWindow& bar, int id, int image, bool down) {
  auto button = std::make_unique<UxSizableButtonGadget>(id, OWL::TResId(image), OWL::TButtonGadget::Exclusive);
  if (down) button->SetButtonState(OWL::TButtonGadget::Down);
  bar.Insert(*button.release());
}

}  // namespace

PreviewControlWin::PreviewControlWin(OWL::TWindow* parent, PreviewControlOwner& owner, uint32_t flags)
    : PreviewBarWindow(parent), mOwner(owner) {
  bool const withRecorded = !(flags & kPreviewNoRecordedButton);
  if (withRecorded) InsertButton(*this, IDC_PREVIEW_RECORDED, IDB_PREVIEW_RECORDED, true);
  InsertButton(*this, IDC_PREVIEW_SAMPLE, IDB_PREVIEW_SAMPLE, !withRecorded);
  InsertButton(*this, IDC_PREVIEW_PAUSE, IDB_PREVIEW_PAUSE, false);
}

void PreviewControlWin::SetupWindow() {
  PreviewBarWindow::SetupWindow();
  MarkSetUp();
}

OWL::TButtonGadget* PreviewControlWin::Button(int id) const noexcept {
  return dynamic_cast<OWL::TButtonGadget*>(GadgetWithId(id));
}

std::wstring PreviewControlWin::GetHintText(int id) {
  switch (id) {
    case IDC_PREVIEW_RECORDED:
      return GetModule()->LoadString(IDS_TIP_RECORDED);
    case IDC_PREVIEW_PAUSE:
      return GetModule()->LoadString(IDS_TIP_PAUSE_SAMPLING);
    case IDC_PREVIEW_SAMPLE:
      break;
    default:
      return PreviewBarWindow::GetHintText(id);
  }
  if (mOwner.HasSamplingSource()) return GetModule()->LoadString(IDS_TIP_START_SAMPLING);
  QOR::OFormatStringStream text(QOR::String(GetModule()->LoadString(IDS_TIP_NO_SAMPLING).c_str()));
  text << QOR::HostHardwareWord().c_str();
  return text.str().GetText();
}

void PreviewControlWin::Reset() {
  OWL::TButtonGadget* const recorded = Button(IDC_PREVIEW_RECORDED);
  if (!recorded) return;
  recorded->SetButtonState(OWL::TButtonGadget::Down);
  CmRecorded();
}

void PreviewControlWin::CmRecorded() {
  mOwner.SetMode(kModeRecorded);
  mOwner.AnnouncePreviewMode(false);
}

void PreviewControlWin::CmSample() {
  mOwner.SetMode(kModeSampling);
  mOwner.AnnouncePreviewMode(true);
}

void PreviewControlWin::CmPause() {
  mOwner.SetMode(kModePaused);
  mOwner.AnnouncePreviewMode(true);
}

void PreviewControlWin::CeSample(OWL::TCommandEnabler& enabler) { enabler.Enable(mOwner.HasSamplingSource()); }

void PreviewControlWin::CePause(OWL::TCommandEnabler& enabler) {
  OWL::TButtonGadget* const recorded = Button(IDC_PREVIEW_RECORDED);
  bool const recordedUp = !recorded || recorded->GetButtonState() == OWL::TButtonGadget::Up;
  enabler.Enable(mOwner.HasSamplingSource() && recordedUp);
}

}  // namespace ScrivoDraw
