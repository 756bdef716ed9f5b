// The drag-scale senders: observer callbacks of the host's scale sent on as graph messages.
#include "graph/GraphDragScale.h"

#include "graph/GraphMessages.h"
#include "graph/MappingRecord.h"

#include "hostclient/ComBoundary.h"

namespace MGraph1 {

void GraphDragScale::OnBeginDrag(int32_t axis) {
  MsgBeginDrag message(axis);
  Send(&message);
}

void GraphDragScale::OnEndDrag(int32_t axis) {
  MsgEndDrag message(axis);
  Send(&message);
}

HRESULT GraphDragScale::OnAutoScale(int32_t) { return S_OK; }

void GraphDragScale::GetRange(double& minimum, double& maximum) {
  minimum = 0.0;
  maximum = 1.0;
}

GraphDragScaleWindow::GraphDragScaleWindow(OWL::TWindow* parent, int32_t value1, int32_t value2, int32_t value3,
                                           int32_t value4)
    : CDragScale(parent, value1, value2, value3, value4) {
  ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
}

GraphDragScaleWindow::~GraphDragScaleWindow() {
  if (mAdvised && GetScale()) GetScale()->Unadvise(&mObserver);
  mAdvised = false;
  if (GetHandle()) Destroy();
}

GraphDragScaleWindow* GraphDragScaleWindow::Make(OWL::TWindow* parent, int32_t value1, int32_t value2,
                                                 int32_t value3, int32_t value4) noexcept {
  try {
    return new GraphDragScaleWindow(parent, value1, value2, value3, value4);
  } catch (...) {
    return nullptr;
  }
}

bool GraphDragScaleWindow::Create() {
  bool const created = CDragScale::Create();
  if (GetScale()) mAdvised = SUCCEEDED(GetScale()->Advise(&mObserver));
  return created;
}

HRESULT GraphDragScaleWindow::OnScalingChanged(int32_t axis, double, const DragScaleMapping* mapping) {
  DragScaleMapping readBack = {1.0, 0.0};
  if (GetScale()) GetScale()->GetPixelMapping(&readBack, 0);
  MappingRecord passed;
  if (mapping) passed = {mapping->scale, mapping->offset};
  MappingRecord const read = {readBack.scale, readBack.offset};
  MsgScalingChanged message(mapping ? &passed : nullptr, &read, axis);
  Send(&message);
  return S_OK;
}

HRESULT GraphDragScaleWindow::OnAutoScale(int32_t axis) {
  MsgAutoScale message(axis);
  Send(&message);
  return S_OK;
}

void GraphDragScaleWindow::GetRange(double& minimum, double& maximum) {
  minimum = 0.0;
  maximum = 1.0;
  if (GetScale()) GetScale()->GetRange(&minimum, &maximum);
}

HRESULT STDMETHODCALLTYPE GraphDragScaleWindow::Observer::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDragScaleObserver)) return E_NOINTERFACE;
  *out = static_cast<IDragScaleObserver*>(this);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GraphDragScaleWindow::Observer::OnBeginDrag(int32_t axis) noexcept {
  return ComTry([&] { mOwner.OnBeginDrag(axis); });
}

HRESULT STDMETHODCALLTYPE GraphDragScaleWindow::Observer::OnEndDrag(int32_t axis) noexcept {
  return ComTry([&] { mOwner.OnEndDrag(axis); });
}

HRESULT STDMETHODCALLTYPE GraphDragScaleWindow::Observer::OnScalingChanged(int32_t axis, double value,
                                                                           const DragScaleMapping* mapping) noexcept {
  return ComTry([&] { return mOwner.OnScalingChanged(axis, value, mapping); });
}

HRESULT STDMETHODCALLTYPE GraphDragScaleWindow::Observer::OnAutoScale(int32_t axis) noexcept {
  return ComTry([&] { return mOwner.OnAutoScale(axis); });
}

}  // namespace MGraph1
