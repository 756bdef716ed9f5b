// IDrawerDataPane: what a drawer asks of the data pane that holds its lane. Lanes count from 0 in
// display order, -1 is the time scale; a lane past the pane's lanes answers E_INVALIDARG.
// Ownership: an interface handed out carries one reference for the caller.
#pragma once

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace QOR {
struct IQORString;
}

// What a lane's units read-out gives: the channel of the answering drawer, the value range
// and the scale and offset of its units.
struct LaneUnitsRecord {
  int32_t channel;
  uint32_t selector;
  double low;
  double high;
  double scale;
  double offset;
};

// Pixels per millimetre of a 96-dpi screen: the pane's unit of device scale.
inline constexpr double kScreenPixelsPerMm = 3.7795276158179276;

// {4A4E02F9-6C0D-47B9-ADAF-5CE0C72D4835}
inline constexpr GUID IID_IDrawerDataPane = {
    0x4a4e02f9, 0x6c0d, 0x47b9, {0xad, 0xaf, 0x5c, 0xe0, 0xc7, 0x2d, 0x48, 0x35}};

struct IDrawerDataPane : IUnknown {
  // Slot 3: the printing context (0 when not printing). The first argument is not read.
  virtual HRESULT STDMETHODCALLTYPE GetPrintContext(int32_t reserved, uint32_t* context) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPixelsPerMmX(int32_t reserved, uint32_t context, double* pixels) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPixelsPerMmY(int32_t reserved, uint32_t context, double* pixels) = 0;
  // Slot 6: the device's pixels per millimetre over the screen's (1.0 and 1.0 on the screen).
  virtual HRESULT STDMETHODCALLTYPE GetDeviceScale(int32_t reserved, double* x, double* y) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsStyleBit23(int32_t reserved, VARIANT_BOOL* set) = 0;
  // Slot 8: the rectangle a lane's layer (0 to 7) owns, until its next paint.
  virtual HRESULT STDMETHODCALLTYPE SetLayerRect(int32_t reserved, int32_t lane, int32_t layer, const RECT* rect) = 0;
  // Slot 9: value becomes the opacity of the lane's layer kind / 256.
  virtual HRESULT STDMETHODCALLTYPE SetLayerValue(int32_t reserved, int32_t lane, int32_t kind, uint32_t value) = 0;
  // Slot 10: the pane's drawing area; lane bit 31: down to the lowest lane over 12 pixels tall.
  virtual HRESULT STDMETHODCALLTYPE GetDrawArea(int32_t lane, RECT* area) = 0;
  // Slot 11: repaints a rectangle of the pane without erasing.
  virtual HRESULT STDMETHODCALLTYPE Invalidate(int32_t reserved, const RECT* rect) = 0;
  // Slots 12 and 13: both answer whether the pane is not sampling.
  virtual HRESULT STDMETHODCALLTYPE IsNotSampling(VARIANT_BOOL* idle) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsNotSamplingNow(VARIANT_BOOL* idle) = 0;
  // Slot 14
  virtual HRESULT STDMETHODCALLTYPE GetBackground(int32_t reserved, COLORREF* colour) = 0;
  // Slot 15: colour adjusted against the background.
  virtual HRESULT STDMETHODCALLTYPE GetContrastColour(COLORREF colour, COLORREF* adjusted) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLaneExtent(int32_t lane, int32_t reserved, int32_t* extent) = 0;
  // Slot 17: the lane's axis object (axis 1 left, any other right), null when it has none.
  virtual HRESULT STDMETHODCALLTYPE GetLaneAxis(int32_t lane, int32_t axis, IUnknown** object) = 0;
  // Slot 18: the lane's units read-out of a source for a record: S_OK when a drawer reported
  // its units valid, else S_FALSE. result comes in preset (channel (0x80000000, 0xC0000000),
  // low +infinity, high -infinity, scale 1.0, offset 0.0).
  virtual HRESULT STDMETHODCALLTYPE TestLaneRange(int32_t lane, int32_t sourceId, int32_t displayMode, int32_t record,
                                                  QOR::IQORString** units, LaneUnitsRecord* result, int32_t,
                                                  int32_t, int32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLaneAttributes(int32_t lane, int32_t* attributes) = 0;
};
