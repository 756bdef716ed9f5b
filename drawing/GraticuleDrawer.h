// ScrivoDraw::GraticuleDrawer: the background grid of a lane: its fill, shaded bands beyond the
// valid value range, dotted lines at the value ticks and along the pane's time grid. On the
// screen the dots are stamped from one-pixel-wide monochrome templates; the metafile variant,
// the copy made for print and metafile output, draws them with a dotted geometric pen.
#pragma once

#include "base/String.h"
#include "drawing/DrawerBase.h"
#include "drawing/LaneSegment.h"
#include "hostapi/DragScale.h"

#include <vector>

namespace ScrivoDraw {

inline constexpr int32_t kGraticuleKind = 1;
inline constexpr COLORREF kBandColour = RGB(245, 242, 230);
// Options.
inline constexpr uint32_t kGridNoFill = 0x20000000u;
inline constexpr uint32_t kGridNoTimeLines = 0x40000000u;  // both with the next: no valid value grid
inline constexpr uint32_t kGridNoValueLines = 0x80000000u;

class GraticuleDrawer : public DrawerBase {
 public:
  GraticuleDrawer(uint32_t options, COLORREF gridColour, ChannelPair channel) noexcept;

  HRESULT STDMETHODCALLTYPE AttachPane(int32_t mode, IUnknown* source) noexcept override;
  HRESULT STDMETHODCALLTYPE SetBounds(int32_t context, const RECT* bounds) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDrawTraits(int32_t, uint32_t* traits, int32_t* leftExtra,
                                          int32_t* rightExtra) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t, int32_t, QOR::IQORString** units, VARIANT_BOOL*) noexcept override;
  // range: the axis's two ends (low, high) in base units; transform: the axis (IScaleTicks).
  HRESULT STDMETHODCALLTYPE SetValueRange(int32_t sourceId, int32_t mode, const ValueRange* range,
                                          IUnknown* transform) noexcept override;
  HRESULT STDMETHODCALLTYPE Refresh(uint32_t mask) noexcept override;
  // scale: the pane's LaneSegment (its time grid).
  HRESULT STDMETHODCALLTYPE Draw(HDC dc, int64_t first, int64_t last, DrawOrigin origin, int32_t column,
                                 const RECT* clip, uint32_t flags, int32_t word, const void* scale) noexcept override;
  HRESULT STDMETHODCALLTYPE RequestData(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, void*) noexcept override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE OnSourceChanged(IUnknown* hostSource, int32_t a, int32_t channel) noexcept override;
  HRESULT STDMETHODCALLTYPE SetDataPane(IDrawerDataPane* pane) noexcept override;
  // Bit 30 of flags: the metafile variant.
  HRESULT STDMETHODCALLTYPE CloneForOutput(uint32_t flags, IScrivoRecordDrawer** copy) noexcept override;

  HBITMAP ValueTemplate() const noexcept { return mValueTemplate; }
  int32_t LabelWidth() const noexcept { return mLabelWidth; }
  uint32_t Options() const noexcept { return mOptions; }
  COLORREF GridColour() const noexcept { return mGridColour; }
  bool TopBand() const noexcept { return mTopBand; }
  bool BottomBand() const noexcept { return mBottomBand; }

 protected:
  GraticuleDrawer(const GraticuleDrawer& other) noexcept;
  ~GraticuleDrawer() override;
  virtual void RebuildTemplates() noexcept;
  virtual void StampValueLines(HDC dc, int32_t from, int32_t to, int32_t step, HBRUSH brush) noexcept;
  // Lines at first, first + spacing, ... (positions; column = position - firstPosition + column0).
  virtual void StampTimeLines(HDC dc, double first, double spacing, int64_t firstPosition, int32_t column0,
                              int32_t to, bool* drawn) noexcept;
  void RebuildValueGrid(IScaleTicks* ticks) noexcept;
  void LayOutLabels() noexcept;
  bool MakeLabelScale() noexcept;
  // offset: the lane origin's position; column: the first repainted column; record: the Draw
  // range argument.
  void DrawLabelColumn(HDC dc, int64_t offset, int32_t column, int32_t left, int32_t right, int32_t record) noexcept;
  // The value grid of the lane's own read-out (display mode set): the pane's units and range for
  // the record through the label scale's ticks.
  void RebuildFromReadOut(int32_t record) noexcept;
  int32_t Height() const noexcept { return mBounds.bottom - mBounds.top; }
  COLORREF GridInk(HDC dc) const noexcept;

  int32_t mRecordState[2] = {0, 0};
  int32_t mSourceId = 1;
  COLORREF mAxisLineColour = RGB(0, 0, 128);
  COLORREF mGridColour;
  HBITMAP mValueTemplate = nullptr;
  HBITMAP mTimeTemplate = nullptr;
  int32_t mTemplateHeight = 0;
  double mValueScale = 1.0;
  double mValueOffset = 0.0;
  int32_t mLabelWidth = 0;
  QOR::ComPtr<IDragScale> mLabelScale;  // made when the lane first shows values
  int32_t mCachedRange = -1;
  std::vector<ScaleTick> mTicks;
  uint32_t mOptions;
  int32_t mGridStyle = 0;
  int32_t mTopRow = 0;
  int32_t mBottomRow = 0;
  bool mTopBand = false;
  bool mBottomBand = false;
  bool mTimeGrid = true;
  // The lane's attributes: non-zero when the lane shows a label column.
  int32_t mLabelMode = 0;
  // The lane axis's last range and units text, as the axis shows them.
  bool mAxisKnown = false;
  double mAxisLow = 0.0;
  double mAxisHigh = 1.0;
  QOR::String mAxisUnits;
};

class MetafileGraticuleDrawer final : public GraticuleDrawer {
 public:
  explicit MetafileGraticuleDrawer(const GraticuleDrawer& other) noexcept : GraticuleDrawer(other) {}

 protected:
  void StampValueLines(HDC dc, int32_t from, int32_t to, int32_t step, HBRUSH brush) noexcept override;
  void StampTimeLines(HDC dc, double first, double spacing, int64_t firstPosition, int32_t column0, int32_t to,
                      bool* drawn) noexcept override;
};

}  // namespace ScrivoDraw
