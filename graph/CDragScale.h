// CDragScale: a window object that has the host's drag-scale factory make an axis scale and adopts its window.
#pragma once

#include "hostapi/DragScale.h"
#include "hostclient/ComPtr.h"
#include "platform/owl/TWindow.h"

#include <cstdint>

// The four creation values go to the factory unchanged (their meaning is the host's); the
// window is created with its parent. Without a factory the object stays without a scale and
// without a window.
class CDragScale : public OWL::TWindow {
 public:
  CDragScale(OWL::TWindow* parent, int32_t value1, int32_t value2, int32_t value3, int32_t value4);
  ~CDragScale() override;

  bool Create() override;
  virtual void SetUnits(const wchar_t* text);
  IDragScale* GetDragScaleObject() const noexcept { return mScale.Get(); }

 private:
  QOR::ComPtr<IDragScale> mScale;
  int32_t mValue1, mValue2, mValue3, mValue4;
};
