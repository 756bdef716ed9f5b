// OWL::TUIPart: the system's frame controls (check marks, arrows, caption buttons) drawn into
// a rectangle.
#pragma once

#include "platform/owl/TRect.h"

namespace OWL {

class TDC;

class TUIPart {
 public:
  enum TType { uiCaption = DFC_CAPTION, uiMenu = DFC_MENU, uiScroll = DFC_SCROLL, uiButton = DFC_BUTTON };

  // state: DFCS_ flags of type (DFCS_BUTTONCHECK | DFCS_CHECKED, DFCS_SCROLLDOWN, ...).
  static bool Paint(TDC& dc, const TRect& rect, TType type, UINT state);
};

}  // namespace OWL
