// ZRTableViewEx: the window of the Table View: one row per detected peak.
#pragma once

#include "views/ZRViewBase.h"

#include <cstdint>

class ZRTableViewEx final : public ZRViewBase {
 public:
  ZRTableViewEx(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
     OWL::TModule* module);

  // The id the host opens this view by (the type id of its view class).
  static uint32_t ViewMessageId() noexcept;
  int DocumentSlot() const noexcept override { return 1; }
};
