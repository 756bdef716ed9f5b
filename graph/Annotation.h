// MGraph1::Annotation: what the two-dimensional drawer asks of an overlay under the mouse.
#pragma once

#include "base/String.h"
#include "platform/owl/TRect.h"

#include <windows.h>

#include <cstdint>

namespace MGraph1 {

// An overlay that is no Annotation is drawn but takes no part in hover, hints and clicks.
class Annotation {
 public:
  virtual ~Annotation() = default;
  // A click offered by the drawer; true ends the search.
  virtual bool HandleClick(const OWL::TRect& plotRect, uint32_t keyFlags, const POINT& press,
                           const POINT& release) = 0;
  // Follows the mouse at pixel (px, py); true when a point was found there.
  virtual bool SetFromPixel(int32_t px, int32_t py, const OWL::TRect& plotRect) = 0;
  // The hint text when a point was found.
  virtual bool GetText(QOR::String& text) const = 0;
  // The picture beneath was redrawn from scratch: nothing of this overlay is on it.
  virtual void ForgetDrawn() = 0;
  // True when it draws by inverting, so it can be drawn over the screen directly.
  virtual bool IsInverting() const = 0;
};

}  // namespace MGraph1
