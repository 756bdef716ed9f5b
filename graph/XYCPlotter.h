// MGraph1::XYCPlotter: draws an x/y point series with per-point colours, symbols, a legend and a
// highlight box, and records the points drawn in the data's point map.
#pragma once

#include "graph/Plotter.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace MGraph1 {

class XYCPlotData;
class XYCPlotDataBase;

// Symbol size in points.
class XYCPlotterBase : public Plotter {
 public:
  double symbolWidth = 2.0;
  double symbolHeight = 2.0;
};

// What one draw of a series works from.
struct XYCDrawContext {
  RECT plot = {};
  RECT clip = {};
  int32_t count = 0;
  const float* yValues = nullptr;
  const float* xValues = nullptr;
  double xLow = 0.0, xHigh = 0.0;
  double yHigh = 0.0, yLow = 0.0;
  COLORREF defaultColour = 0;
  const COLORREF* colours = nullptr;
  int32_t colourStride = 0;
  XYCPlotDataBase* pointMap = nullptr;  // null when the map could not be opened
  int32_t firstIndex = 0;
  bool drawSymbols = false;
  bool connect = false;
  int32_t symbolW = 2;  // pixels
  int32_t symbolH = 2;
  uint32_t flags = 0;
};

class XYCPlotter : public XYCPlotterBase {
 public:
  void OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) override;
  // Pushes the drawer's ranges into the data.
  void OnDataSet() override;
  bool DataChanged() override;
  bool NeedsRedraw() override;
  // The series' points in their order, mapped to the plot's pixels. What it fetches serves the
  // plotter's own draw that follows in the same pass.
  std::vector<POINT> LinePixels(const RECT& plot) override;
  void PassEnded() override { mHeld.kept = false; }
  virtual XYCPlotDataBase* GetXYData() const;
  virtual XYCPlotData* GetTypedData() const;
  virtual void DrawPoints(OWL::TDC& dc, const XYCDrawContext& context);

 protected:
  void OnXBoundsChanged() override;
  void OnYBoundsChanged() override;
  // Fetches the series into the context: a full reload (LoadSeries first) unless only a reload
  // is pending; reloaded tells which. False skips the series for this draw.
  virtual bool FetchSeries(XYCPlotDataBase& data, XYCDrawContext& context, bool& reloaded);
  // The legend entry (when the series asks for one) and the highlight box, after the points.
  void DrawDecorations(OWL::TDC& dc, const XYCDrawContext& context);

 private:
  void DrawLegend(OWL::TDC& dc, const XYCDrawContext& context, XYCPlotDataBase& data) const;
  void DrawHighlight(OWL::TDC& dc, const XYCDrawContext& context, const XYCPlotDataBase& data) const;

  // The series as LinePixels fetched it, until the draw takes it or the pass ends.
  struct HeldSeries {
    XYCDrawContext context;
    bool reloaded = false;
    bool kept = false;
  };
  // FetchSeries, or the series LinePixels fetched earlier in this pass.
  bool TakeSeries(XYCPlotDataBase& data, XYCDrawContext& context, bool& reloaded);

  HeldSeries mHeld;
  static uint32_t sPass;  // one per redraw pass of any XYCPlotter
};

// Draws the symbol the first shape bit of flags selects (a diagonal cross without one) at (x, y)
// with the DC's current pen; w and h in pixels, crossWidth the line width the cross allows for.
void DrawSymbol(OWL::TDC& dc, uint32_t flags, int32_t x, int32_t y, int32_t w, int32_t h, COLORREF colour,
                float lineWidth);
// The outlined rectangle of half sizes (halfW, halfH) around (x, y).
void DrawBox(OWL::TDC& dc, int32_t x, int32_t y, int32_t halfW, int32_t halfH);

}  // namespace MGraph1
