// The detector pages' preview maker.
#include "settingsdlg/DetectionPreview.h"

#include <utility>

namespace ZR::Dlg {

namespace {

DetectionPreviewMaker& Maker() {
  static DetectionPreviewMaker maker;
  return maker;
}

}  // namespace

DetectionPreviewMaker SetDetectionPreviewMaker(DetectionPreviewMaker maker) {
  DetectionPreviewMaker previous = std::move(Maker());
  Maker() = std::move(maker);
  return previous;
}

std::unique_ptr<DetectionPreview> MakeDetectionPreview(DetectionPreview::Kind kind, IUnknown* hostDataDocument,
                                                       OWL::TWindow* page, Doc::SettingsStore* store) {
  if (!hostDataDocument || !Maker()) return nullptr;
  return Maker()(kind, hostDataDocument, page, store);
}

}  // namespace ZR::Dlg
