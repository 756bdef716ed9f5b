// OWL::TUIPart: DrawFrameControl.
#include "platform/owl/TUIPart.h"

#include "platform/owl/TDC.h"

namespace OWL {

bool TUIPart::Paint(TDC& dc, const TRect& rect, TType type, UINT state) {
  TRect r = rect;
  return DrawFrameControl(dc.GetHDC(), &r, static_cast<UINT>(type), state) != 0;
}

}  // namespace OWL
