// ScrivoDraw::TimeScale: the strip below a data pane's lanes that carries the time axis, and
// ScrivoDraw::TimeLabelDrawer, its one drawer: tick marks and time labels fitted to the zoom.
#pragma once

#include "drawing/ChildPaneBase.h"
#include "drawing/DrawerBase.h"
#include "drawing/TimeTickPlan.h"

#include <memory>

namespace OWL {
class TFont;
}

namespace ScrivoDraw {

class TimeScale;

class TimeLabelDrawer final : public DrawerBase {
 public:
  // A drawer for strip (null for a copy that belongs to no strip).
  explicit TimeLabelDrawer(TimeScale* strip) noexcept;

  HRESULT STDMETHODCALLTYPE GetDrawTraits(int32_t reserved, uint32_t* traits, int32_t* leftExtra,
                                          int32_t* rightExtra) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUnitsText(int32_t, int32_t, QOR::IQORString** units, VARIANT_BOOL*) noexcept override;
  HRESULT STDMETHODCALLTYPE SetValueRange(int32_t, int32_t, const ValueRange*, IUnknown*) noexcept override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Refresh(uint32_t) noexcept override { return S_OK; }
  // scale: the pane's tick plan (a TimeLabelLayout) of the segment; without one only the white
  // background is drawn.
  HRESULT STDMETHODCALLTYPE Draw(HDC dc, int64_t first, int64_t last, DrawOrigin origin, int32_t column,
                                 const RECT* clip, uint32_t flags, int32_t word, const void* scale) noexcept override;
  HRESULT STDMETHODCALLTYPE RequestData(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, void*) noexcept override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE CloneForOutput(uint32_t flags, IScrivoRecordDrawer** copy) noexcept override;

  const TimeLabelLayout& Layout() const noexcept { return mLayout; }
  void ForgetStrip() noexcept { mStrip = nullptr; }

 private:
  TimeLabelLayout mLayout;
  TimeScale* mStrip;  // not counted
};

class TimeScale final : public ChildPaneBase {
 public:
  // The child with lane index -1 of pane, measured at once.
  explicit TimeScale(ChildPaneHost& pane) noexcept;

  void Place(int32_t context, const RECT& paneClient, const RECT& lane, int32_t leftAxisWidth,
             int32_t rightAxisWidth, int32_t margin) noexcept override;
  // The strip never stays without its label drawer.
  HRESULT RemoveDrawers(uint32_t mask, LayerPair pair) noexcept override;
  void OnRecordStart(int32_t record, VARIANT_BOOL sampling) noexcept override;
  // args.scale is the pane's tick plan; its time-display word is kept for the unit note.
  void Paint(HDC dc, const PaintArgs& args, uint32_t flags, uint32_t layerSet) noexcept override;
  // The composed strip, then "(ms)" at its right end when the labels are in milliseconds.
  void Render(HDC dc, int32_t column, bool line) noexcept override;
  // 0xA0048205 for an object of 3 or more entries; nothing else happens.
  HRESULT AttachDragScale(IDragScale* scale) noexcept override;
  HRESULT DetachDragScale(IDragScale* scale) noexcept override;

  // Re-measure after a change of font or printing state.
  void OnFontChanged() noexcept { MeasureLabels(); }
  void OnPrintChanged(uint32_t) noexcept { MeasureLabels(); }

  HRESULT EnsureLabelDrawer() noexcept;
  // mode >= 0: a new data source: the label drawer is made afresh; mode < 0: every drawer
  // gets AttachPane(mode, source).
  HRESULT OnSourceChanged(int32_t mode, IUnknown* source) noexcept;

  int32_t StripHeight() const noexcept { return mStripHeight; }
  // The height the pane gives the strip until the next measurement.
  void SetStripHeight(int32_t height) noexcept { mStripHeight = height; }
  int32_t LabelWidth() const noexcept { return mLabelWidth; }
  uint32_t DisplayFlags() const noexcept { return mDisplayFlags; }
  HFONT Font() const noexcept;
  // The columns a label must lie between: the strip's ends, so that none is shown cut; none
  // while the pane draws into its ring of columns.
  int64_t LabelStartColumn() const noexcept;
  int64_t LabelEndColumn() const noexcept;
  ChildPaneHost& Pane() const noexcept { return *mPane; }

 protected:
  ~TimeScale() override;

 private:
  void MeasureLabels() noexcept;

  int32_t mStripHeight = 0;
  int32_t mLabelWidth = 0;
  std::unique_ptr<OWL::TFont> mFont;
  uint32_t mDisplayFlags = 2;
};

// The device scale a drawer's pane reports (1.0 without a pane).
double PaneDeviceScale(IDrawerDataPane* pane) noexcept;
// The time strip's scale: the pane's device scale, and on the screen that times the screen's
// resolution against 96 dpi; the ticks, the labels' offset and the strip's room below them grow
// with it.
double StripScale(IDrawerDataPane* pane) noexcept;

}  // namespace ScrivoDraw
