// FakeScale: an axis scale standing in for the host's, logging what the drawer asks of it.
#pragma once

#include "hostapi/DragScale.h"

#include <oleauto.h>

#include <string>
#include <vector>

// Lives on the test's stack (counting is not needed). Paint fills its area with paintColour and
// logs name; the tick interface is answered only when withTicks is set.
class FakeScale : public IDragScale, public IScaleTicks {
 public:
  explicit FakeScale(char scaleName, std::string* paintLog = nullptr) : name(scaleName), log(paintLog) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDragScale) *out = static_cast<IDragScale*>(this);
    if (iid == IID_IScaleTicks && withTicks) *out = static_cast<IScaleTicks*>(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE SetUnits(int32_t, const wchar_t* text) override { units = text; return S_OK; }
  HRESULT STDMETHODCALLTYPE SetTitle(const wchar_t*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetVisibleRange(double minimum, double maximum) override {
    visible = {minimum, maximum};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetLimits(double minimum, double maximum) override {
    limits = {minimum, maximum};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetFixedSpan(double span, double) override { fixedSpan = span; return S_OK; }
  HRESULT STDMETHODCALLTYPE GetStyle(uint32_t* value) override { *value = style; return S_OK; }
  HRESULT STDMETHODCALLTYPE SetStyle(uint32_t value) override { style = value; return S_OK; }
  HRESULT STDMETHODCALLTYPE Show(int32_t) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetArea(const RECT* rect) override { area = *rect; return S_OK; }
  HRESULT STDMETHODCALLTYPE SetUnitConversion(const DragScaleMapping* units) override {
    unitConversion = *units;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPixelMapping(DragScaleMapping* out, int32_t) override {
    *out = mapping;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetExtent(int32_t kind, HDC, int32_t, int32_t* value) override {
    if (kind != kScaleExtentStrip) return E_INVALIDARG;
    *value = extent;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FormatValue(double, BSTR* text) override {
    *text = SysAllocString(L"1.5 ms");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRange(double* minimum, double* maximum) override {
    *minimum = visible[0];
    *maximum = visible[1];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetGrid(double* first, double* farthest, double* step) override {
    *first = 0.0;
    *farthest = gridFarthest;
    *step = gridStep;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Paint(HDC dc, VARIANT_BOOL, int32_t) override {
    if (log) *log += name;
    HBRUSH const brush = CreateSolidBrush(paintColour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IDragScaleObserver*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Unadvise(IDragScaleObserver*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDragScale(IDragScale** out) override {
    *out = follower;
    return follower ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE GetEntryCount(int32_t* count) override { *count = entryCount; return S_OK; }
  HRESULT STDMETHODCALLTYPE SetMode(int32_t value) override { mode = value; return S_OK; }
  HRESULT STDMETHODCALLTYPE GetAxisMap(int32_t, uint32_t, DragScaleAxisMap*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetScaledUnits(BSTR* text, DragScaleMapping*) override { *text = nullptr; return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetScaledUnits(const wchar_t*, const DragScaleMapping*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Enable(VARIANT_BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ShowValues(VARIANT_BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResetScale() override { return S_FALSE; }

  HRESULT STDMETHODCALLTYPE GetTickCount(int32_t* count) override {
    *count = static_cast<int32_t>(ticks.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTicks(int32_t capacity, ScaleTick* out, int32_t* count) override {
    *count = 0;
    for (int32_t const offset : ticks)
      if (*count < capacity) out[(*count)++] = {offset, 0};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPixelRect(RECT* rect) override { *rect = area; return S_OK; }
  HRESULT STDMETHODCALLTYPE SetDataRange(double, double) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetValidRange(double* minimum, double* maximum) override {
    *minimum = limits[0];
    *maximum = limits[1];
    return S_OK;
  }

  char name;
  std::string* log;
  int32_t entryCount = 1;
  int32_t mode = 0;
  bool withTicks = true;
  std::vector<int32_t> ticks;
  double gridFarthest = 0.0;
  double gridStep = 0.0;
  uint32_t style = kScaleStyleReady;
  RECT area = {0, 0, 100, 100};
  DragScaleMapping mapping = {1.0, 0.0};
  DragScaleMapping unitConversion = {0.0, 0.0};
  int32_t extent = 60;
  COLORREF paintColour = RGB(0, 128, 0);
  std::wstring units;
  std::vector<double> visible = {0.0, 0.0};
  std::vector<double> limits = {0.0, 0.0};
  double fixedSpan = 0.0;
  IDragScale* follower = nullptr;
};
