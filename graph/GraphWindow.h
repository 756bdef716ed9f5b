// MGraph1::GraphWindow<Graph2DDrawer>: a graph window joined with the two-dimensional drawer it shows.
#pragma once

#include "graph/Graph2DDrawer.h"
#include "graph/GraphWindowBase.h"

namespace MGraph1 {

template <class Drawer>
class GraphWindow;

// Painting and the left mouse button go to the drawer; the drawer's rectangle is the client
// area inside the window's margins.
template <>
class GraphWindow<Graph2DDrawer> : public GraphWindowBase, public Graph2DDrawer {
 public:
  GraphWindow(OWL::TWindow* parent, OWL::TModule* module);

  void SetupWindow() override;
  void InvalidateGraph(const OWL::TRect& rectangle, bool erase) override;
  void PaintGraph(OWL::TDC& dc, bool erase, const OWL::TRect& rectangle) override;
  void OnGraphMouseLeave() override { OnMouseLeave(); }

 protected:
  void EvLButtonUp(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvMouseMove(UINT modKeys, const OWL::TPoint& point);

  DECLARE_RESPONSE_TABLE(GraphWindow);
};

}  // namespace MGraph1
