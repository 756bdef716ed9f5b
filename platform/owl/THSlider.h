// OWL::THSlider: a horizontal slider with tick marks below and the resource id of its thumb's
// bitmap (the framework's own thumb unless another is given).
#pragma once

#include "platform/owl/OwlStringIds.h"
#include "platform/owl/TSlider.h"

#include <commctrl.h>

namespace OWL {

class THSlider : public TSlider {
 public:
  THSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId = IDB_OWL_HSLIDER_THUMB,
           TModule* module = nullptr)
      : TSlider(parent, id, x, y, w, h, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM, module), mThumbResId(thumbResId) {}
  THSlider(TWindow* parent, int resourceId, int thumbResId = IDB_OWL_HSLIDER_THUMB, TModule* module = nullptr)
      : TSlider(parent, resourceId, module), mThumbResId(thumbResId) {}

  // The trackbar draws its own thumb; the id is kept for owners that draw one themselves.
  int ThumbResId() const noexcept { return mThumbResId; }

 private:
  int mThumbResId;
};

}  // namespace OWL
