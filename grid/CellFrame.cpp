// The cell frame.
#include "grid/CellFrame.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TPen.h"

namespace TVF_Grid {

void DrawCellFrame(HDC hdc, int left, int top, int right, int bottom) {
  OWL::TDC dc(hdc);
  const OWL::TPen shadow(OWL::TColor(GetSysColor(COLOR_BTNSHADOW)));
  const OWL::TPen highlight(OWL::TColor(GetSysColor(COLOR_BTNHIGHLIGHT)));
  dc.SelectObject(shadow);
  dc.MoveTo(left, top);
  dc.LineTo(right, top);
  dc.LineTo(right, bottom);
  dc.RestorePen();
  dc.SelectObject(highlight);
  dc.LineTo(left, bottom);
  dc.LineTo(left, top);
  dc.RestorePen();
}

}  // namespace TVF_Grid
