// AnalysisView: the window of the Analysis View: one detected peak at a time.
#pragma once

#include "views/ZRViewBase.h"

#include <cstdint>

class AnalysisView final : public ZRViewBase {
 public:
  AnalysisView(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
     OWL::TModule* module);

  // The id the host opens this view by (the type id of its view class).
  static uint32_t ViewMessageId() noexcept;
  int DocumentSlot() const noexcept override { return 0; }
};
