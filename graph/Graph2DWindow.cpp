// The drag-scaled graph window: wiring of the two axis objects and the reaction to their messages.
#include "graph/Graph2DWindow.h"

#include "graph/GraphDragScale.h"
#include "graph/GraphMessages.h"

namespace MGraph1 {

Graph2DWindowBase<Graph2DDrawer>::Graph2DWindowBase(OWL::TWindow* parent, OWL::TModule* module)
    : GraphWindow<Graph2DDrawer>(parent, module) {
  Wire();
}

void Graph2DWindowBase<Graph2DDrawer>::Wire() {
  mXDragScale.reset(GraphDragScaleWindow::Make(this, kDragScaleWindowBelow, kXAxisId, 0, -1));
  mYDragScale.reset(GraphDragScaleWindow::Make(this, kDragScaleWindowLeft, kYAxisId, 0, -1));
  if (mXDragScale) mXDragScale->AddReceiver(this);
  if (mYDragScale) mYDragScale->AddReceiver(this);
  ReplaceGraticule(mXDragScale ? mXDragScale->GetScale() : nullptr,
                   mYDragScale ? mYDragScale->GetScale() : nullptr);
}

Graph2DWindowBase<Graph2DDrawer>::~Graph2DWindowBase() {
  if (mXDragScale) mXDragScale->RemoveReceiver(this);
  if (mYDragScale) mYDragScale->RemoveReceiver(this);
  mXGuards.clear();
  mYGuards.clear();
  mXDragScale.reset();
  mYDragScale.reset();
}

void Graph2DWindowBase<Graph2DDrawer>::SetupWindow() {
  GraphWindow<Graph2DDrawer>::SetupWindow();
  IDragScale* const xScale = mXDragScale ? mXDragScale->GetScale() : nullptr;
  IDragScale* const yScale = mYDragScale ? mYDragScale->GetScale() : nullptr;
  SetScales(xScale, yScale, mXDragScale && mXDragScale->HasScale(), mYDragScale && mYDragScale->HasScale());
  // Laid out again on the client area: the drawer rectangle is inset by the margins once, as
  // after a resize, so that what is painted and what the scales map stay in one place.
  InvalidateGraph(GetClientRect(), false);
  if (!IsInitialised()) {
    OnFirstDraw();
    SetInitialised();
  }
}

bool Graph2DWindowBase<Graph2DDrawer>::OnMessage(MessSys::Message* message) {
  if (!message) return false;
  int32_t axis = 0;
  if (auto* const m = dynamic_cast<MsgBeginDrag*>(message)) axis = m->axis;
  else if (auto* const m = dynamic_cast<MsgEndDrag*>(message)) axis = m->axis;
  else if (auto* const m = dynamic_cast<MsgScalingChanged*>(message)) axis = m->axis;
  else if (auto* const m = dynamic_cast<MsgAutoScale*>(message)) axis = m->axis;
  else return false;
  if (axis == kXAxisId && mXDragScale) OnAxisMessage(*message, true);
  if (axis == kYAxisId && mYDragScale) OnAxisMessage(*message, false);
  return true;
}

bool Graph2DWindowBase<Graph2DDrawer>::OnAxisMessage(MessSys::Message& message, bool isX) {
  GraphDragScaleWindow& object = isX ? *mXDragScale : *mYDragScale;
  std::deque<DragGuard>& guards = isX ? mXGuards : mYGuards;
  double minimum = 0.0, maximum = 0.0;
  if (dynamic_cast<MsgBeginDrag*>(&message)) {
    guards.push_back(isX ? BeginXDrag() : BeginYDrag());
  } else if (auto* const changed = dynamic_cast<MsgScalingChanged*>(&message)) {
    if (changed->pixelMapping) isX ? SetXPixelMapping(*changed->pixelMapping) : SetYPixelMapping(*changed->pixelMapping);
    if (changed->unitConversion)
      isX ? SetXUnitConversion(*changed->unitConversion) : SetYUnitConversion(*changed->unitConversion);
    object.GetRange(minimum, maximum);
    isX ? ApplyDomain(minimum, maximum) : ApplyRange(minimum, maximum);
  } else if (dynamic_cast<MsgEndDrag*>(&message)) {
    if (!guards.empty()) guards.pop_back();
    object.GetRange(minimum, maximum);
    isX ? ApplyDomain(minimum, maximum) : ApplyRange(minimum, maximum);
  } else if (dynamic_cast<MsgAutoScale*>(&message)) {
    isX ? GetXHomeRange(minimum, maximum) : GetYHomeRange(minimum, maximum);
    isX ? SetDomain(minimum, maximum) : SetRange(minimum, maximum);
  }
  return true;
}

}  // namespace MGraph1
