// Conversions between points, 0.01 mm and the logical units of a device context (which may be
// scaled, as the print preview is).
#pragma once

#include "platform/owl/TSize.h"

namespace OWL {
class TDC;
}

namespace QOR {

// points at the DC's vertical resolution (LOGPIXELSY), then through the DC's scaling:
// MulDiv(MulDiv(points, LOGPIXELSY, 72), window extent x, viewport extent x).
int PointsToLogicalHeight(const OWL::TDC& dc, int points) noexcept;
// A device length in the DC's logical units: MulDiv(value, window extent x, viewport extent x).
int ScaleToLogicalUnits(const OWL::TDC& dc, int value) noexcept;
// A size in 0.01 mm in device pixels of dc (HORZRES per HORZSIZE mm, VERTRES per VERTSIZE mm).
OWL::TSize HimetricToDevice(const OWL::TDC& dc, const OWL::TSize& size) noexcept;

}  // namespace QOR
