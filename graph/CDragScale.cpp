// The drag-scale window object: the scale made through the cached factory, its window adopted as an alias.
#include "graph/CDragScale.h"

#include "graph/ScaleFactory.h"

#include <oleidl.h>

CDragScale::CDragScale(OWL::TWindow* parent, int32_t value1, int32_t value2, int32_t value3, int32_t value4)
    : OWL::TWindow(parent, nullptr, nullptr), mValue1(value1), mValue2(value2), mValue3(value3), mValue4(value4) {
  EnableAutoCreate();
}

CDragScale::~CDragScale() = default;

bool CDragScale::Create() {
  mScale = nullptr;
  QOR::ComPtr<IDragScaleFactory> const factory(MGraph1::GetScaleFactory());
  if (!factory) return true;  // nothing to report: no scale, no window
  OWL::TWindow* const parent = GetParentO();
  HWND const parentHandle = parent ? parent->GetHandle() : nullptr;
  if (FAILED(factory->CreateWindowScale(parentHandle, mValue3, mValue4, mValue1, mValue2, mScale.Out())) || !mScale)
    return true;
  QOR::ComPtr<IOleWindow> window;
  HWND handle = nullptr;
  if (FAILED(mScale.As(IID_IOleWindow, window)) || !window || FAILED(window->GetWindow(&handle)) || !handle)
    return true;
  AttachAlias(handle);
  SetFlag(OWL::wfPredefinedClass);  // the host's window paints itself
  return true;
}

void CDragScale::SetUnits(const wchar_t* text) {
  if (mScale) mScale->SetUnits(0, text);
}
