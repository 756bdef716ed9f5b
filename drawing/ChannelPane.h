// ScrivoDraw::ChannelPane: one channel lane of a data pane: traces, event marks and graticule
// between two value axes (axis 1 left, axis 2 right) that the user drags to rescale. Values cross
// the lane's interface in base units; each axis shows them with an SI prefix of its own.
#pragma once

#include "base/String.h"
#include "drawing/ChildPaneBase.h"

#include <array>

namespace ScrivoDraw {

// Axis flags.
inline constexpr uint32_t kLaneHasAxis1 = 0x80000000u;
inline constexpr uint32_t kLaneHasAxis2 = 0x40000000u;
inline constexpr uint32_t kLaneAxis1KeepsEnable = 0x20000000u;  // not enabled or disabled by data
inline constexpr uint32_t kLaneAxis1NotPlaced = 0x10000000u;
// Axis style: the axis windows overlap the lane by 2 pixels up and down.
inline constexpr uint32_t kAxisStyleOverlap = 0x4000u;
// The record value at which a read-out stops for a pane whose style holds bit 27.
inline constexpr int32_t kRecordNoValues = 0x7FFFFFFE;

// The SI prefix of an axis: value in the prefixed unit = value in base units * factor.
struct AxisUnit {
  wchar_t letter = 0;
  double factor = 1.0;
  int32_t prefix = 0;
  int32_t reserved = 0;
};

// The letter and factor of a prefix index (0 to 14; any other gives no letter and 1.0).
AxisUnit AxisUnitForPrefix(int32_t prefix) noexcept;
// Whether a prefix index scales a range (0, 1 and 8 do not).
bool PrefixScales(int32_t prefix) noexcept;

struct ChannelPaneInit {
  HWND mAxisParent = nullptr;
  int32_t mAxisParentExtra = 0;
  uint32_t mAxisFlags = 0;
  uint32_t mAxisStyle = 0;
  int32_t mDisplayMode = 0;
  ChannelPair mAxisChannel[2] = {{static_cast<int32_t>(0x80000000u), 0xC0000000u},
                                 {static_cast<int32_t>(0x80000000u), 0xC0000000u}};
  int32_t mWords[2] = {0, 0};
  uint32_t mUnitsFlags = 0x80000000u;  // bit 31: units texts and ranges go to the axis objects
  AxisUnit mUnit[2];
  QOR::ComPtr<IDragScale> mAxisObject[2];
  QOR::ComPtr<IDragScale> mAxisWindow[2];
  QOR::ComPtr<IScaleTicks> mRangeInterface[2];
  int32_t mAttributes = 0;
};

class ChannelPane final : public ChildPaneBase, protected ChannelPaneInit {
 public:
  ChannelPane(ChildPaneHost& pane, int32_t laneIndex, uint32_t axisFlags, uint32_t axisStyle) noexcept;

  // IDragScaleObserver: the axis objects report drags of axis 1 and 2.
  HRESULT STDMETHODCALLTYPE OnBeginDrag(int32_t axis) noexcept override;
  HRESULT STDMETHODCALLTYPE OnEndDrag(int32_t axis) noexcept override;
  HRESULT STDMETHODCALLTYPE OnScalingChanged(int32_t axis, double value,
                                             const DragScaleMapping* mapping) noexcept override;
  HRESULT STDMETHODCALLTYPE OnAutoScale(int32_t axis) noexcept override;
  HRESULT STDMETHODCALLTYPE OnReserved7() noexcept override { return S_OK; }

  void Place(int32_t context, const RECT& paneClient, const RECT& lane, int32_t leftAxisWidth,
             int32_t rightAxisWidth, int32_t margin) noexcept override;
  void RefreshDrawers(uint32_t mask) noexcept override;
  // More than 3 entries: 0xA0048205, nothing changes.
  HRESULT AttachDragScale(IDragScale* scale) noexcept override;
  HRESULT DetachDragScale(IDragScale* scale) noexcept override;
  HRESULT GetLeftAxis(int32_t reserved, IUnknown** axis) noexcept override;
  HRESULT GetRightAxis(int32_t reserved, IUnknown** axis) noexcept override;
  HRESULT ClearOut(int32_t* word) noexcept;
  // Drag-scale windows in parent on the screen, plain scale objects in print mode.
  HRESULT CreateAxes(HWND parent, int32_t extra) noexcept;
  // The lane hears the drags of its axis windows from here on, until DisconnectAxes.
  HRESULT ConnectAxes() noexcept;
  HRESULT DisconnectAxes() noexcept;
  // The axis windows come above their siblings (a group box made before them would hide them).
  void BringAxesToTop() noexcept;

  // axis 1, or any other value for axis 2; E_FAIL for an empty range or no axis object.
  HRESULT SetAxisRange(int32_t axis, double low, double high) noexcept;
  bool SetAxisRangeEx(int32_t axis, double low, double high, bool force, bool toWindow) noexcept;
  // E_FAIL for an axis other than 1 or 2, or without an axis object (the prefix is kept then).
  HRESULT SetAxisUnitPrefix(int32_t axis, int32_t prefix) noexcept;
  // The axis object's range in base units.
  HRESULT GetAxisRange(int32_t axis, double* low, double* high) noexcept;
  // Gathers the units, scale, channel and range of the drawers of sourceId for a record; true
  // when an answering drawer reported its units valid.
  bool ReadUnits(int32_t sourceId, int32_t displayMode, int32_t record, QOR::String* units, double* scale,
                 ChannelPair* channel, ValueRange* range, double* factor) noexcept;
  // Labels and ranges both axes from records first to last and tells the pane's observers.
  void UpdateAxes(int32_t first, int32_t last) noexcept;
  // mode >= 0: every drawer is released; mode < 0: every drawer gets AttachPane(mode, source).
  void ResetDrawerSources(int32_t mode, IUnknown* source) noexcept;
  // A value axis changed its range (in the axis's units): every drawer of that source is told.
  HRESULT OnRangeChanged(int32_t axis, int32_t mode, const ValueRange& range) noexcept;

  const AxisUnit& Unit(int32_t axis) const noexcept { return mUnit[Slot(axis)]; }
  IDragScale* AxisObject(int32_t axis) const noexcept { return mAxisObject[Slot(axis)].Get(); }
  IDragScale* AxisWindow(int32_t axis) const noexcept { return mAxisWindow[Slot(axis)].Get(); }
  uint32_t PendingRange() const noexcept { return mPendingRange; }
  // Whether axis 1 (or 2) found data at the last UpdateAxes.
  bool AxisDataFlag(int32_t axis) const noexcept { return axis == 1 ? mLeftAxisData : mRightAxisData; }
  void SetPendingRange(uint32_t bits) noexcept { mPendingRange = bits; }
  void SetDisplayMode(int32_t mode) noexcept { mDisplayMode = mode; }
  const ChannelPair& AxisChannel(int32_t axis) const noexcept { return mAxisChannel[Slot(axis)]; }
  // The pane's lane attributes, copied when the lane is made.
  void SetAttributes(int32_t attributes) noexcept { mAttributes = attributes; }
  int32_t Attributes() const noexcept { return mAttributes; }
  uint32_t AxisFlags() const noexcept { return mAxisFlags; }
  uint32_t AxisStyle() const noexcept { return mAxisStyle; }
  // The lane's two extent words.
  const int32_t* ExtentWords() const noexcept { return mWords; }
  // The axis window of axis shows the range its data covers (as a double click on it does).
  HRESULT ResetAxisScale(int32_t axis) noexcept;

 protected:
  ~ChannelPane() override;

 private:
  static size_t Slot(int32_t axis) noexcept { return axis == 1 ? 0 : 1; }
  void UpdateAxis(int32_t axis, int32_t first, int32_t last) noexcept;
};

}  // namespace ScrivoDraw
