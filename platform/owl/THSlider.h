// OWL::THSlider: a horizontal slider with tick marks below.
#pragma once

#include "platform/owl/TSlider.h"

#include <commctrl.h>

namespace OWL {

class THSlider : public TSlider {
 public:
  THSlider(TWindow* parent, int id, int x, int y, int w, int h, TModule* module = nullptr)
      : TSlider(parent, id, x, y, w, h, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM, module) {}
  THSlider(TWindow* parent, int resourceId, TModule* module = nullptr)
      : TSlider(parent, resourceId, module) {}
};

}  // namespace OWL
