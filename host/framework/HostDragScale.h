// host::HostDragScale: the framework's axis scale: draws one axis, maps values to pixels and reports drags to observers.
#pragma once

#include "host/common/HostObject.h"
#include "host/framework/ScaleAxis.h"
#include "hostapi/DragScale.h"

#include <oleidl.h>

#include <limits>
#include <string>
#include <vector>

namespace host {

// A scale with a window (a child of the graph window, placed over its area) takes the mouse:
// a left drag pans the range, a double click asks for auto scaling. Every change of the range
// is reported to the observers with the new pixel mapping. The style gains kScaleStyleReady
// once the scale has an area.
class HostDragScale final : public HostObject<IDragScale, IScaleTicks, IOleWindow, IScaleLabels, IScaleColour> {
 public:
  HostDragScale(bool horizontal, int32_t axis) : mAxis(horizontal), mAxisId(axis) {}
  // A window for the scale under parent; false when it cannot be made.
  bool CreateWindowUnder(HWND parent) noexcept;
  // The values map to the area given to SetArea moved in by these pixels at its top and bottom
  // (negative: the window reaches beyond the values' span).
  void SetInset(int32_t top, int32_t bottom) noexcept {
    mInsetTop = top;
    mInsetBottom = bottom;
  }

  HRESULT STDMETHODCALLTYPE SetUnits(int32_t reserved, const wchar_t* text) noexcept override;
  HRESULT STDMETHODCALLTYPE SetTitle(const wchar_t* text) noexcept override;
  HRESULT STDMETHODCALLTYPE SetVisibleRange(double minimum, double maximum) noexcept override;
  HRESULT STDMETHODCALLTYPE SetLimits(double minimum, double maximum) noexcept override;
  HRESULT STDMETHODCALLTYPE SetFixedSpan(double span, double reserved) noexcept override;
  HRESULT STDMETHODCALLTYPE GetStyle(uint32_t* style) noexcept override;
  HRESULT STDMETHODCALLTYPE SetStyle(uint32_t style) noexcept override;
  HRESULT STDMETHODCALLTYPE Show(int32_t show) noexcept override;
  HRESULT STDMETHODCALLTYPE SetArea(const RECT* area) noexcept override;
  HRESULT STDMETHODCALLTYPE SetUnitConversion(const DragScaleMapping* units) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPixelMapping(DragScaleMapping* mapping, int32_t reserved) noexcept override;
  HRESULT STDMETHODCALLTYPE GetExtent(int32_t kind, HDC dc, int32_t reserved, int32_t* extent) noexcept override;
  HRESULT STDMETHODCALLTYPE FormatValue(double value, BSTR* text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRange(double* minimum, double* maximum) noexcept override;
  HRESULT STDMETHODCALLTYPE GetGrid(double* first, double* farthest, double* step) noexcept override;
  HRESULT STDMETHODCALLTYPE Paint(HDC dc, VARIANT_BOOL full, int32_t reserved) noexcept override;
  HRESULT STDMETHODCALLTYPE Advise(IDragScaleObserver* observer) noexcept override;
  HRESULT STDMETHODCALLTYPE Unadvise(IDragScaleObserver* observer) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDragScale(IDragScale** scale) noexcept override;
  HRESULT STDMETHODCALLTYPE GetEntryCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE SetMode(int32_t mode) noexcept override;
  HRESULT STDMETHODCALLTYPE GetAxisMap(int32_t axis, uint32_t flags, DragScaleAxisMap* map) noexcept override;
  HRESULT STDMETHODCALLTYPE GetScaledUnits(BSTR* text, DragScaleMapping* units) noexcept override;
  HRESULT STDMETHODCALLTYPE SetScaledUnits(const wchar_t* text, const DragScaleMapping* units) noexcept override;
  HRESULT STDMETHODCALLTYPE Enable(VARIANT_BOOL enabled) noexcept override;
  HRESULT STDMETHODCALLTYPE ShowValues(VARIANT_BOOL shown) noexcept override;
  HRESULT STDMETHODCALLTYPE SetDataRange(double minimum, double maximum) noexcept override;
  HRESULT STDMETHODCALLTYPE ResetScale() noexcept override;
  HRESULT STDMETHODCALLTYPE GetValidRange(double* minimum, double* maximum) noexcept override;
  int32_t Mode() const noexcept { return mMode; }
  bool IsEnabled() const noexcept { return mEnabled; }
  bool ValuesShown() const noexcept { return mValuesShown; }

  HRESULT STDMETHODCALLTYPE GetTickCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTicks(int32_t capacity, ScaleTick* ticks, int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPixelRect(RECT* rect) noexcept override;

  HRESULT STDMETHODCALLTYPE GetLabelWidth(HDC dc, int32_t characters, int32_t* width) noexcept override;
  HRESULT STDMETHODCALLTYPE DrawLabels(HDC dc, const RECT* rect) noexcept override;

  HRESULT STDMETHODCALLTYPE SetColour(VARIANT_BOOL on, COLORREF colour) noexcept override;
  // What ticks, values and units are drawn in now.
  COLORREF Ink() const noexcept;
  // The colour given with SetColour; CLR_INVALID while the scale uses the system's.
  COLORREF OwnColour() const noexcept { return mOwnColour ? mColour : CLR_INVALID; }

  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }

 private:
  ~HostDragScale() override;
  void* FindInterface(REFIID iid) override;
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  // Observers may unadvise from their callback: the walk is over a copy, the scale kept alive.
  template <class Call>
  void TellObservers(Call call) noexcept {
    AddRef();
    try {
      std::vector<IDragScaleObserver*> const observers = mObservers;
      for (IDragScaleObserver* const observer : observers) call(*observer);
    } catch (...) {
      // no memory for the copy: nobody is told
    }
    Release();
  }
  void ReportScaling() noexcept;
  // Gives the axis the resolution of the device dc draws on and the label font's sizes there:
  // the ticks of a printout or a picture are spaced for its device, not for the screen.
  void MeasureOn(HDC dc) noexcept;
  void MeasureOnScreen() noexcept;
  int32_t TickLength() const noexcept;
  void PaintAxis(HDC dc) const;
  std::wstring Caption() const;

  void AutoScale() noexcept;

  ScaleAxis mAxis;
  bool mMeasured = false;  // whether the axis has been given a device
  int32_t mAxisId;
  RECT mWindowArea = {};  // the area given, which the window covers
  int32_t mInsetTop = 0;
  int32_t mInsetBottom = 0;
  int32_t mMode = 0;
  bool mEnabled = true;
  bool mOwnColour = false;
  COLORREF mColour = 0;
  bool mValuesShown = true;
  // How the shown values relate to the data's base units: shown = (base + offset) * scale.
  DragScaleMapping mScaledUnits = {1.0, 0.0};
  double mDataMinimum = std::numeric_limits<double>::infinity();
  double mDataMaximum = -std::numeric_limits<double>::infinity();
  std::wstring mUnits;
  std::wstring mTitle;
  uint32_t mStyle = 0;
  bool mShown = true;
  std::vector<IDragScaleObserver*> mObservers;  // not counted while advised
  HWND mWindow = nullptr;
  int32_t mDragFrom = 0;
  bool mDragging = false;
};

}  // namespace host
