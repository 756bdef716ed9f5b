// MGraph1::GraphDragScale and GraphDragScaleWindow: one axis's drag-scale callbacks turned into graph messages.
#pragma once

#include "graph/CDragScale.h"
#include "graph/MessageSender.h"

#include "hostapi/DragScale.h"

#include <cstdint>
#include <memory>

namespace MGraph1 {

// The sender of one axis: begin and end of a drag are sent as they come; a plain sender has no
// scale, sends nothing on auto scale and answers the range (0, 1).
class GraphDragScale : public MessSys::MessageSender {
 public:
  virtual void OnBeginDrag(int32_t axis);
  virtual void OnEndDrag(int32_t axis);
  virtual HRESULT OnScalingChanged(int32_t axis, double value, const DragScaleMapping* mapping) = 0;
  virtual HRESULT OnAutoScale(int32_t axis);
  virtual void GetRange(double& minimum, double& maximum);
  virtual bool HasScale() const { return false; }
  virtual IDragScale* GetScale() const { return nullptr; }
};

// The scale's window and the observer of its dragging: advised once created, unadvised before
// it dies. The observer part is not counted and never deletes the object.
class GraphDragScaleWindow final : public GraphDragScale, public CDragScale {
 public:
  GraphDragScaleWindow(OWL::TWindow* parent, int32_t value1, int32_t value2, int32_t value3, int32_t value4);
  ~GraphDragScaleWindow() override;

  bool Create() override;
  HRESULT OnScalingChanged(int32_t axis, double value, const DragScaleMapping* mapping) override;
  HRESULT OnAutoScale(int32_t axis) override;
  void GetRange(double& minimum, double& maximum) override;
  bool HasScale() const override { return true; }
  IDragScale* GetScale() const override { return GetDragScaleObject(); }
  IDragScaleObserver* GetObserver() noexcept { return &mObserver; }
  bool IsAdvised() const noexcept { return mAdvised; }

  // A new object on the heap, or null when memory runs out.
  static GraphDragScaleWindow* Make(OWL::TWindow* parent, int32_t value1, int32_t value2, int32_t value3,
                                    int32_t value4) noexcept;

 private:
  class Observer final : public IDragScaleObserver {
   public:
    explicit Observer(GraphDragScaleWindow& owner) noexcept : mOwner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 1; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE OnBeginDrag(int32_t axis) noexcept override;
    HRESULT STDMETHODCALLTYPE OnEndDrag(int32_t axis) noexcept override;
    HRESULT STDMETHODCALLTYPE OnScalingChanged(int32_t axis, double value,
                                               const DragScaleMapping* mapping) noexcept override;
    HRESULT STDMETHODCALLTYPE OnAutoScale(int32_t axis) noexcept override;
    HRESULT STDMETHODCALLTYPE OnReserved7() noexcept override { return S_OK; }

   private:
    GraphDragScaleWindow& mOwner;
  };

  Observer mObserver{*this};
  bool mAdvised = false;
};

}  // namespace MGraph1
