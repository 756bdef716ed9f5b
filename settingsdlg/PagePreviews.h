// ZR::Dlg::MakePagePreview: the detection previews the detector pages show over the host's
// document, and the scope that lets the pages of one settings dialog make them.
#pragma once

#include "settingsdlg/DetectionPreview.h"

namespace ZR::Dlg {

// The preview of the kind over the host document (any of its interfaces); null without a
// document or its data.
std::unique_ptr<DetectionPreview> MakePagePreview(DetectionPreview::Kind kind, IUnknown* hostDocument,
                                                  OWL::TWindow* page, Doc::SettingsStore* store);

// While it lives, pages make their previews with MakePagePreview; the maker it replaced comes
// back afterwards.
class PagePreviewScope {
 public:
  PagePreviewScope() : mPrevious(SetDetectionPreviewMaker(MakePagePreview)) {}
  ~PagePreviewScope() { SetDetectionPreviewMaker(std::move(mPrevious)); }
  PagePreviewScope(const PagePreviewScope&) = delete;
  PagePreviewScope& operator=(const PagePreviewScope&) = delete;

 private:
  DetectionPreviewMaker mPrevious;
};

}  // namespace ZR::Dlg
