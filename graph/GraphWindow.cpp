// The graph window with its two-dimensional drawer: layout inside the margins, painting and the left button.
#include "graph/GraphWindow.h"

namespace MGraph1 {

using Graph2DDrawerWindow = GraphWindow<Graph2DDrawer>;

DEFINE_RESPONSE_TABLE1(Graph2DDrawerWindow, GraphWindowBase)
  EV_WM_LBUTTONUP,
  EV_WM_LBUTTONDOWN,
  EV_WM_MOUSEMOVE,
END_RESPONSE_TABLE;

GraphWindow<Graph2DDrawer>::GraphWindow(OWL::TWindow* parent, OWL::TModule* module)
    : GraphWindowBase(parent, module), Graph2DDrawer(Graph2DDrawer::WindowForm{}) {
  SetOwnerWindow(this);
}

void GraphWindow<Graph2DDrawer>::SetupWindow() {
  GraphWindowBase::SetupWindow();
  InvalidateGraph(GetClientRect(), false);
}

void GraphWindow<Graph2DDrawer>::InvalidateGraph(const OWL::TRect& rectangle, bool erase) {
  GraphWindowBase::InvalidateGraph(rectangle, erase);
  OWL::TRect const inset = Inset(rectangle);
  if (inset.Width() < 0 || inset.Height() < 0) return;
  SetDrawerRect(inset);
  Layout(inset, true);
}

void GraphWindow<Graph2DDrawer>::PaintGraph(OWL::TDC& dc, bool erase, const OWL::TRect& rectangle) {
  Redraw(dc, erase, Inset(rectangle));
}

void GraphWindow<Graph2DDrawer>::EvLButtonUp(UINT modKeys, const OWL::TPoint& point) { ButtonUp(modKeys, point); }

void GraphWindow<Graph2DDrawer>::EvLButtonDown(UINT, const OWL::TPoint& point) { ButtonDown(point); }

void GraphWindow<Graph2DDrawer>::EvMouseMove(UINT modKeys, const OWL::TPoint& point) {
  GraphWindowBase::EvMouseMove(modKeys, point);
  MouseMove(point);
}

}  // namespace MGraph1
