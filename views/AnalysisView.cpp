// AnalysisView: its construction and the id it is opened by.
#include "views/AnalysisView.h"

#include "hostclient/DocViewIds.h"

AnalysisView::AnalysisView(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
       OWL::TModule* module)
    : ZRViewBase(parent, viewClass, view, owner, module) {}

uint32_t AnalysisView::ViewMessageId() noexcept { return DocIds::OpenAnalysisViewMessage::Id(); }
