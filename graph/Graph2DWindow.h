// MGraph1::Graph2DWindowBase<Graph2DDrawer> and Graph2DWindow: the graph window whose axes are drag-scale windows.
#pragma once

#include "graph/GraphWindow.h"

#include <deque>
#include <memory>

namespace MGraph1 {

class GraphDragScaleWindow;

template <class Drawer>
class Graph2DWindowBase;

// One drag-scale window per axis (ids 100 X, 101 Y): their scales become the drawer's once the
// window is set up, and their messages move the drawer's domain and range. A guard is held
// from a drag's begin to its end.
template <>
class Graph2DWindowBase<Graph2DDrawer> : public GraphWindow<Graph2DDrawer> {
 public:
  Graph2DWindowBase(OWL::TWindow* parent, OWL::TModule* module);
  ~Graph2DWindowBase() override;

  void SetupWindow() override;
  bool OnMessage(MessSys::Message* message) override;
  GraphDragScaleWindow* GetXDragScale() const noexcept { return mXDragScale.get(); }
  GraphDragScaleWindow* GetYDragScale() const noexcept { return mYDragScale.get(); }

 private:
  void Wire();
  bool OnAxisMessage(MessSys::Message& message, bool isX);

  std::unique_ptr<GraphDragScaleWindow> mXDragScale;
  std::unique_ptr<GraphDragScaleWindow> mYDragScale;
  std::deque<DragGuard> mYGuards;
  std::deque<DragGuard> mXGuards;
};

// The graph window of the Analysis View.
class Graph2DWindow : public Graph2DWindowBase<Graph2DDrawer> {
 public:
  Graph2DWindow(OWL::TWindow* parent, OWL::TModule* module) : Graph2DWindowBase(parent, module) {}
};

}  // namespace MGraph1
