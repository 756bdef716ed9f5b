// Host drag-scale service: the factory of axis scales, the scales (each owns a window, draws one axis with
// its ticks and labels and maps values to pixels), their observers and their tick lists.
// Ownership: an out pointer is cleared first and filled with one reference for the caller; texts are
// borrowed for the call; a text handed out (BSTR) is freed by the caller; an advised observer is held
// without a reference until it is unadvised.
#pragma once

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// The factory is a service of the class registry: GetClassObject with the type id
// (class index of kDragScaleServiceClassGuid << 16) | kDragScaleServiceNumber and IID_IDragScaleFactory.
// {3682F5A7-B683-4644-888C-DF9B81A1B976}
inline constexpr GUID kDragScaleServiceClassGuid = {
    0x3682F5A7, 0xB683, 0x4644, {0x88, 0x8C, 0xDF, 0x9B, 0x81, 0xA1, 0xB9, 0x76}};
inline constexpr uint16_t kDragScaleServiceNumber = 0;

// {EBAD47D2-A398-11D3-80C0-005004AD3C53}
inline constexpr GUID IID_IDragScaleFactory = {
    0xEBAD47D2, 0xA398, 0x11D3, {0x80, 0xC0, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// {EBAD47D1-A398-11D3-80C0-005004AD3C53}
inline constexpr GUID IID_IDragScale = {
    0xEBAD47D1, 0xA398, 0x11D3, {0x80, 0xC0, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// {EBAD47D0-A398-11D3-80C0-005004AD3C53}
inline constexpr GUID IID_IDragScaleObserver = {
    0xEBAD47D0, 0xA398, 0x11D3, {0x80, 0xC0, 0x00, 0x50, 0x04, 0xAD, 0x3C, 0x53}};
// {CDD20818-F236-4416-88AC-3631F931A539}
inline constexpr GUID IID_IScaleTicks = {
    0xCDD20818, 0xF236, 0x4416, {0x88, 0xAC, 0x36, 0x31, 0xF9, 0x31, 0xA5, 0x39}};

// A value v maps to (v + offset) * scale: data value to pixel (from the plot area's left or top
// edge), or stored value to the value shown in axis units.
struct DragScaleMapping {
  double scale;
  double offset;
};
static_assert(sizeof(DragScaleMapping) == 16, "two doubles");

// One tick of a scale: its pixel offset from the left (X) or top (Y) edge of the grid area.
struct ScaleTick {
  int32_t offset;
  int32_t reserved;
};
static_assert(sizeof(ScaleTick) == 8, "8-byte tick entries");

// The extent kind that answers the strip size a scale needs (pixels across its axis).
inline constexpr int32_t kScaleExtentStrip = 6;
// Style flag the module sets on its scales, and the flag of a scale that is ready to paint.
inline constexpr uint32_t kScaleStyleModule = 0x200;
inline constexpr uint32_t kScaleStyleReady = 0x8000;
// First creation value of a scale with a window: an axis below the plot area, or left of it.
inline constexpr int32_t kDragScaleWindowBelow = 110035;
inline constexpr int32_t kDragScaleWindowLeft = 110032;
// Creation flags of the two-dimensional drawer's X and Y scales.
inline constexpr uint32_t kScaleCreateX = 67;
inline constexpr uint32_t kScaleCreateY = 64;

// The linear map of a dragged axis (GetAxisMap).
struct DragScaleAxisMap {
  double low;
  double high;
  double scale;
  double offset;
};
static_assert(sizeof(DragScaleAxisMap) == 32, "four doubles");

// Axis kinds of a lane's value-axis window (CreateAxisWindow): left and right of the lane.
inline constexpr int32_t kLaneAxisLeft = 1;
inline constexpr int32_t kLaneAxisRight = 2;

struct IDragScale;

// Told by a scale of the user's dragging; axis is the id the scale was created with.
struct IDragScaleObserver : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE OnBeginDrag(int32_t axis) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnEndDrag(int32_t axis) = 0;
  // mapping: the scale's pixel mapping after the change (borrowed for the call).
  virtual HRESULT STDMETHODCALLTYPE OnScalingChanged(int32_t axis, double value,
                                                     const DragScaleMapping* mapping) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAutoScale(int32_t axis) = 0;
  // Slot 7: answers S_OK and does nothing else.
  virtual HRESULT STDMETHODCALLTYPE OnReserved7() = 0;
};

struct IDragScale : IUnknown {
  // Slot 3: the units text (reserved is 0).
  virtual HRESULT STDMETHODCALLTYPE SetUnits(int32_t reserved, const wchar_t* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetTitle(const wchar_t* text) = 0;
  // Slot 5: the range shown.
  virtual HRESULT STDMETHODCALLTYPE SetVisibleRange(double minimum, double maximum) = 0;
  // Slot 6: the outer limits of the range.
  virtual HRESULT STDMETHODCALLTYPE SetLimits(double minimum, double maximum) = 0;
  // Slot 7: a fixed span pair {span, 0.0}.
  virtual HRESULT STDMETHODCALLTYPE SetFixedSpan(double span, double reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStyle(uint32_t* style) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetStyle(uint32_t style) = 0;
  // Slot 10: 0xFFFF shows the scale, 0 hides it.
  virtual HRESULT STDMETHODCALLTYPE Show(int32_t show) = 0;
  // Slot 11: the area the scale paints in, in the target's coordinates.
  virtual HRESULT STDMETHODCALLTYPE SetArea(const RECT* area) = 0;
  // Slot 12: the unit conversion (stored value to shown value); read during the call.
  virtual HRESULT STDMETHODCALLTYPE SetUnitConversion(const DragScaleMapping* units) = 0;
  // Slot 13: the pixel mapping of the scale's area into *mapping (reserved is 0).
  virtual HRESULT STDMETHODCALLTYPE GetPixelMapping(DragScaleMapping* mapping, int32_t reserved) = 0;
  // Slot 14: with kScaleExtentStrip, the strip size the scale needs on dc.
  virtual HRESULT STDMETHODCALLTYPE GetExtent(int32_t kind, HDC dc, int32_t reserved,
                                              int32_t* extent) = 0;
  // Slot 15: value as text in the scale's units.
  virtual HRESULT STDMETHODCALLTYPE FormatValue(double value, BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRange(double* minimum, double* maximum) = 0;
  // Slot 17: the grid: a first value (the scale's own), the offset of the farthest grid line from
  // the area's left or top edge and the distance between lines (negative), in pixels.
  virtual HRESULT STDMETHODCALLTYPE GetGrid(double* first, double* farthest, double* step) = 0;
  // Slot 18: paints the scale into dc; full repaints the background too.
  virtual HRESULT STDMETHODCALLTYPE Paint(HDC dc, VARIANT_BOOL full, int32_t reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE Advise(IDragScaleObserver* observer) = 0;
  virtual HRESULT STDMETHODCALLTYPE Unadvise(IDragScaleObserver* observer) = 0;
  // Slot 21: the scale that follows a drag of this one.
  virtual HRESULT STDMETHODCALLTYPE GetDragScale(IDragScale** scale) = 0;
  // Slot 22: how many axes the object drags together (a plain axis scale: 1).
  virtual HRESULT STDMETHODCALLTYPE GetEntryCount(int32_t* count) = 0;
  // Slot 23: what the object does with a drag (2 and 3 are the data pane's modes).
  virtual HRESULT STDMETHODCALLTYPE SetMode(int32_t mode) = 0;
  // Slot 24: the linear map of one of the dragged axes; *map comes in preset and is rewritten on
  // S_OK so that (offset -/+ 32000) * scale are the axis's two ends.
  virtual HRESULT STDMETHODCALLTYPE GetAxisMap(int32_t axis, uint32_t flags, DragScaleAxisMap* map) = 0;
  // Slot 25: the units text (the caller frees it; null when none) and the unit conversion.
  virtual HRESULT STDMETHODCALLTYPE GetScaledUnits(BSTR* text, DragScaleMapping* units) = 0;
  // Slot 26: units text and unit conversion together (both read during the call).
  virtual HRESULT STDMETHODCALLTYPE SetScaledUnits(const wchar_t* text, const DragScaleMapping* units) = 0;
  // Slot 27: a disabled scale ignores the mouse and paints grey.
  virtual HRESULT STDMETHODCALLTYPE Enable(VARIANT_BOOL enabled) = 0;
  // Slot 28: whether the scale writes its tick values (off: ticks and units only).
  virtual HRESULT STDMETHODCALLTYPE ShowValues(VARIANT_BOOL shown) = 0;
  // Slot 29: shows the range its data covers (IScaleTicks::SetDataRange), when one is known.
  virtual HRESULT STDMETHODCALLTYPE ResetScale() = 0;
};

struct IDragScaleFactory : IUnknown {
  // Slot 3: a scale without a window of its own (the drawer's), from two values and creation flags.
  virtual HRESULT STDMETHODCALLTYPE CreateScale(int32_t value1, int32_t value2, uint32_t flags,
                                                IDragScale** scale) = 0;
  // Slot 4: a scale whose window is a child of parent, from four creation values.
  virtual HRESULT STDMETHODCALLTYPE CreateWindowScale(HWND parent, int32_t value3, int32_t value4,
                                                      int32_t value1, int32_t value2,
                                                      IDragScale** scale) = 0;
  // Slot 5: a vertical value axis beside a lane, its window a child of parent; the offsets widen
  // the area it is placed in up and down, style goes to the scale, axisKind is kLaneAxisLeft or
  // kLaneAxisRight (also the axis id reported to observers).
  virtual HRESULT STDMETHODCALLTYPE CreateAxisWindow(HWND parent, int32_t offsetTop, int32_t offsetBottom,
                                                     uint32_t style, int32_t axisKind, IDragScale** scale) = 0;
};

// Asked of each scale with QueryInterface.
struct IScaleTicks : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetTickCount(int32_t* count) = 0;
  // Fills up to capacity entries; *count is the number written.
  virtual HRESULT STDMETHODCALLTYPE GetTicks(int32_t capacity, ScaleTick* ticks, int32_t* count) = 0;
  // The scale's extent in pixels.
  virtual HRESULT STDMETHODCALLTYPE GetPixelRect(RECT* rect) = 0;
  // Slot 6: the range the data covers (auto scaling goes there); an empty or inverted range
  // (+infinity, -infinity) means no data.
  virtual HRESULT STDMETHODCALLTYPE SetDataRange(double minimum, double maximum) = 0;
  // Slot 7: the values the axis may take (its outer limits).
  virtual HRESULT STDMETHODCALLTYPE GetValidRange(double* minimum, double* maximum) = 0;
};

// {01CCAF14-846E-4E9F-B22D-32F81ED4126B}
inline constexpr GUID IID_IScaleLabels = {
    0x01CCAF14, 0x846E, 0x4E9F, {0xB2, 0x2D, 0x32, 0xF8, 0x1E, 0xD4, 0x12, 0x6B}};

// Asked of a scale with QueryInterface: its value labels in a column beside a lane.
struct IScaleLabels : IUnknown {
  // Slot 3: pixels that characters average characters of the label font take on dc (null: the
  // screen).
  virtual HRESULT STDMETHODCALLTYPE GetLabelWidth(HDC dc, int32_t characters, int32_t* width) = 0;
  // Slot 4: writes the tick values right-aligned into rect, each centred on its tick's row (the
  // rows of the scale's area) and kept inside rect; nothing is drawn outside rect.
  virtual HRESULT STDMETHODCALLTYPE DrawLabels(HDC dc, const RECT* rect) = 0;
};

// {F4E16D13-254B-4FE3-A78F-E8230124B03D}
inline constexpr GUID IID_IScaleColour = {
    0xF4E16D13, 0x254B, 0x4FE3, {0xA7, 0x8F, 0xE8, 0x23, 0x01, 0x24, 0xB0, 0x3D}};

// Asked of a scale with QueryInterface: the colour of its ticks, values and units.
struct IScaleColour : IUnknown {
  // Slot 3: on: an enabled scale draws in colour; off: in the system's window-text colour again.
  // A disabled scale draws grey either way.
  virtual HRESULT STDMETHODCALLTYPE SetColour(VARIANT_BOOL on, COLORREF colour) = 0;
};
