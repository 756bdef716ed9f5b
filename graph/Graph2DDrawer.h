// MGraph1::Graph2DDrawer: one two-dimensional graph: axis scales, graticule, plots, queens and overlays,
// with the plot area's image cached in a bitmap.
#pragma once

#include "graph/GraphBase.h"
#include "graph/GraphDisplayInfo.h"
#include "graph/GraphMessages.h"
#include "graph/MappingRecord.h"
#include "graph/MessageSender.h"

#include "base/String.h"
#include "hostapi/DragScale.h"
#include "hostclient/ComPtr.h"
#include "platform/owl/TRect.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OWL {
class TBitmap;
class TDC;
}

namespace MGraph1 {

class GraphDrawer;
class GraphGraticule;
class Queen;
class QueenController;

// Lowers a drag counter once when released or destroyed; released before the drawer dies.
class DragGuard {
 public:
  explicit DragGuard(int32_t* counter) noexcept : mCounter(counter) {}
  DragGuard(DragGuard&& other) noexcept : mCounter(other.mCounter) { other.mCounter = nullptr; }
  DragGuard& operator=(DragGuard&& other) noexcept;
  ~DragGuard() { Release(); }
  void Release() noexcept;

 private:
  int32_t* mCounter;
};

// Which layers DrawFrame, Redraw and Print draw.
struct DrawnLayers {
  bool overlays = true;
  bool queens = true;
  bool graticule = true;
  bool axes = true;
  bool plots = true;
};

// Works without scales (no factory): then no scale is painted and ranges change only through the
// drawer. Drawables added with the owned flag are deleted when removed or with the drawer.
class Graph2DDrawer : public GraphBase, public MessSys::MessageReceiver {
 public:
  struct WindowForm {};
  // Standalone (printing, metafiles): scale arguments -1; the window form passes 0.
  Graph2DDrawer();
  explicit Graph2DDrawer(WindowForm);
  ~Graph2DDrawer() override;

  void Init(int32_t xScaleArgument, int32_t yScaleArgument);
  void SetScales(IDragScale* xScale, IDragScale* yScale, bool xDrives, bool yDrives);
  // A new graticule with the drawer's display info, taking its ticks from the two scales.
  void ReplaceGraticule(IDragScale* xScale, IDragScale* yScale);
  void ApplyScaleSettings();
  // Lays the standalone drawer out for dc: strips as wide as their labels need.
  void RenderTo(OWL::TDC& dc);
  bool AxesReady() const;

  // Painting (Graph2DDrawerPainting.cpp).
  void Layout(const OWL::TRect& rectangle, bool flag) override;
  virtual void Redraw(OWL::TDC& dc, bool erase, const OWL::TRect& rectangle);
  virtual void Print(OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& rectangle);
  virtual void DrawPlots(OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& plotRect,
                         const OWL::TRect& wholeRect);
  virtual void DrawOverlays(OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& plotRect,
                            const OWL::TRect& wholeRect);
  virtual void DrawFrame(OWL::TDC& dc, OWL::TDC& referenceDc, bool erase, const OWL::TRect& rectangle);
  // left + left margin to max(right, that + 1); bottom - bottom margin up to min(top, that - 1).
  virtual void GetPlotRect(OWL::TRect& out, const OWL::TRect& rectangle) const;
  virtual void GetWholeRect(OWL::TRect& out, const OWL::TRect& rectangle) const { out = rectangle; }

  virtual void SetDisplayInfo(const GraphDisplayInfo& info);
  virtual GraphDisplayInfo GetDisplayInfo() const { return mDisplayInfo; }
  virtual void InvalidateWindow() { InvalidateOwner(); }

  // Ranges (Graph2DDrawerScaling.cpp).
  virtual void SetDomain(double minimum, double maximum);
  virtual void SetRange(double minimum, double maximum);
  void ApplyDomain(double minimum, double maximum);
  void ApplyRange(double minimum, double maximum);
  virtual void GetDomain(double& minimum, double& maximum) const;
  virtual void GetRange(double& minimum, double& maximum) const;
  virtual void GetXHomeRange(double& minimum, double& maximum) const;
  virtual void GetYHomeRange(double& minimum, double& maximum) const;
  virtual void GetXLimits(double& minimum, double& maximum) const;
  virtual void GetYLimits(double& minimum, double& maximum) const;
  virtual void SetXMinSpan(double span);
  virtual void SetYMinSpan(double span);
  DragGuard BeginXDrag();
  DragGuard BeginYDrag();
  void SetXRange(double minimum, double maximum);
  void SetYRange(double minimum, double maximum);
  void SetXLimits(double minimum, double maximum);
  void SetYLimits(double minimum, double maximum);

  // Scale texts and styles.
  virtual QOR::String GetXUnits() const { return mXUnits; }
  virtual QOR::String GetYUnits() const { return mYUnits; }
  virtual QOR::String GetXTitle() const { return mXTitle; }
  virtual QOR::String GetYTitle() const { return mYTitle; }
  void SetXUnits(const QOR::String& text);
  void SetYUnits(const QOR::String& text);
  void SetXTitle(const QOR::String& text);
  void SetYTitle(const QOR::String& text);
  virtual void ShowXScale(bool show);
  virtual void ShowYScale(bool show);
  void SetXScaleStyle();
  void SetYScaleStyle();
  // Empty without the scale.
  virtual QOR::String FormatXValue(double value) const;
  virtual QOR::String FormatYValue(double value) const;
  void SetYReference(double factor);

  // The shared mapping records: the caller's values are copied in.
  virtual void SetYUnitConversion(const MappingRecord& record);
  virtual void SetXUnitConversion(const MappingRecord& record);
  virtual void SetXPixelMapping(const MappingRecord& record);
  virtual void SetYPixelMapping(const MappingRecord& record);

  // Plot and overlay lists; an index past the end answers null.
  virtual void AddPlot(GraphDrawer* drawable, bool owned);
  virtual bool RemovePlot(GraphDrawer* drawable);
  virtual bool ClearPlots();
  virtual int32_t GetPlotCount() const { return static_cast<int32_t>(mPlots.size()); }
  virtual GraphDrawer* GetPlot(int32_t index) const;
  virtual void AddOverlay(GraphDrawer* drawable, bool owned);
  virtual bool RemoveOverlay(GraphDrawer* drawable);
  virtual bool ClearOverlays();
  virtual int32_t GetOverlayCount() const { return static_cast<int32_t>(mOverlays.size()); }
  virtual GraphDrawer* GetOverlay(int32_t index) const;

  // Receivers of the four senders.
  virtual void AddMouseReceiver(MessSys::MessageReceiver* receiver) { mMouseSender.AddReceiver(receiver); }
  virtual void RemoveMouseReceiver(MessSys::MessageReceiver* receiver) { mMouseSender.RemoveReceiver(receiver); }
  virtual void AddQueenReceiver(MessSys::MessageReceiver* receiver);
  virtual void RemoveQueenReceiver(MessSys::MessageReceiver* receiver);
  virtual void AddRedrawReceiver(MessSys::MessageReceiver* receiver) { mRedrawSender.AddReceiver(receiver); }
  virtual void RemoveRedrawReceiver(MessSys::MessageReceiver* receiver) { mRedrawSender.RemoveReceiver(receiver); }
  virtual void AddChangeReceiver(MessSys::MessageReceiver* receiver) { mChangeSender.AddReceiver(receiver); }
  virtual void RemoveChangeReceiver(MessSys::MessageReceiver* receiver) { mChangeSender.RemoveReceiver(receiver); }

  // Mouse and keyboard (Graph2DDrawerMouse.cpp); points in the owner's client coordinates.
  void ButtonDown(const POINT& point);
  void MouseMove(const POINT& point);
  void ButtonUp(uint32_t keyFlags, const POINT& point);
  virtual bool OnMouseMove(int32_t x, int32_t y);
  virtual void OnMouseLeave();
  virtual void GetHints(int32_t x, int32_t y, HintList& list) { CollectHints(x, y, list); }
  virtual void CollectHints(int32_t x, int32_t y, HintList& list);
  virtual void OnClick(uint32_t keyFlags, const POINT& press, const POINT& release);
  virtual void OnChar(wchar_t character, uint32_t repeatCount, uint32_t flags);

  // Queen cursors: false for a null queen or one never added. ResetQueens starts a new controller
  // (its receivers are not carried over).
  virtual bool AddQueen(Queen* queen, bool owned);
  virtual bool RemoveQueen(Queen* queen);
  virtual void ResetQueens();
  QueenController& GetQueenController() const noexcept { return *mQueens; }

 protected:
  virtual void OnDomainChanged() {}
  virtual void OnRangeChanged() {}

 private:
  struct Entry {
    GraphDrawer* drawable;
    bool owned;
  };
  struct Range {
    double minimum;
    double maximum;
  };

  int32_t SenderId() const noexcept;
  void SetDefaults();
  void MakeQueenController();
  void HandOver(GraphDrawer& drawable);
  void SpreadRange(void (GraphDrawer::*setBounds)(double, double), double minimum, double maximum,
                   MessSys::Message& announcement);
  void AddEntry(std::vector<Entry>& list, GraphDrawer* drawable, bool owned);
  bool RemoveEntry(std::vector<Entry>& list, GraphDrawer* drawable);
  bool ClearEntries(std::vector<Entry>& list);
  void PaintScales(OWL::TDC& dc, bool full) const;
  bool UpdateCache(OWL::TDC& dc, int32_t width, int32_t height);
  void RepaintDraggedStrips(OWL::TDC& memoryDc);
  void ClampToPlot(POINT& point) const;

  DrawnLayers mLayers;
  int32_t mQueenHitTolerance = 8;
  bool mXDrives = false;
  bool mYDrives = false;
  QOR::ComPtr<IDragScale> mXScale;
  QOR::ComPtr<IDragScale> mYScale;
  std::unique_ptr<GraphGraticule> mGraticule;
  std::unique_ptr<MappingRecord> mXMapping, mYMapping, mXUnitConversion, mYUnitConversion;
  GraphDisplayInfo mDisplayInfo;
  // The value and time strips: this wide on a 96-dpi screen, scaled with the screen's resolution
  // as the labels' font is; standalone drawing sizes them from its labels.
  static constexpr int32_t kStripAt96Dpi = 60;
  int32_t mLeftMargin = kStripAt96Dpi;
  int32_t mBottomMargin = kStripAt96Dpi;
  int32_t mTopMargin = 0;  // set for standalone drawing only
  POINT mPress = {};
  int32_t mClickThreshold = 4;
  bool mButtonPressed = false;
  std::vector<Entry> mPlots;
  std::vector<Entry> mOverlays;
  std::unique_ptr<QueenController> mQueens;
  Range mDomain{0.0, 1.0}, mRange{0.0, 1.0};
  Range mXHome{0.0, 1.0}, mYHome{-1.0, 1.0};
  Range mXLimits{-1.0, 1.0}, mYLimits{-1.0, 1.0};
  bool mXFixedSpanOn = false, mYFixedSpanOn = false;
  Range mXFixedSpan{1.0, 0.0}, mYFixedSpan{1.0, 0.0};
  QOR::String mXUnits, mYUnits, mXTitle, mYTitle;
  bool mXScaleShown = false, mYScaleShown = false;
  MessSys::MessageSender mRedrawSender, mMouseSender, mChangeSender;
  std::unique_ptr<OWL::TBitmap> mCache;
  bool mDirty = true;
  std::string mTypedKeys;
  double mXMinSpan = 0.0, mYMinSpan = 0.0;
  double mXUnitFactor = 1.0, mYUnitFactor = 1.0;
  int32_t mYDragCount = 0, mXDragCount = 0;
  QOR::ComPtr<IDragScale> mXDragScale, mYDragScale;
};

}  // namespace MGraph1
