// Points, 0.01 mm and logical units of a DC.
#include "platform/uihelpers/DCUnits.h"

#include "platform/owl/TDC.h"

namespace QOR {

int ScaleToLogicalUnits(const OWL::TDC& dc, int value) noexcept {
  OWL::TSize const window = dc.GetWindowExt();
  OWL::TSize const viewport = dc.GetViewportExt();
  if (viewport.cx == 0) return value;
  return MulDiv(value, window.cx, viewport.cx);
}

int PointsToLogicalHeight(const OWL::TDC& dc, int points) noexcept {
  return ScaleToLogicalUnits(dc, MulDiv(points, dc.GetDeviceCaps(LOGPIXELSY), 72));
}

OWL::TSize HimetricToDevice(const OWL::TDC& dc, const OWL::TSize& size) noexcept {
  int const horzSize = dc.GetDeviceCaps(HORZSIZE);
  int const vertSize = dc.GetDeviceCaps(VERTSIZE);
  if (horzSize <= 0 || vertSize <= 0) return {};
  return {MulDiv(size.cx, dc.GetDeviceCaps(HORZRES), 100 * horzSize),
          MulDiv(size.cy, dc.GetDeviceCaps(VERTRES), 100 * vertSize)};
}

}  // namespace QOR
