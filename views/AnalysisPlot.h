// AnalysisPlot: the graph of the Analysis View: the current event's signal, markers and fitted
// decay curve, a menu that shows or hides each kind of marker, and axis ranges kept in the
// document's settings. The plot is its own data source.
#pragma once

#include "base/String.h"
#include "document/SettingIds.h"
#include "graph/GlyphPlotData.h"
#include "graph/Message.h"
#include "graph/PlotData.h"
#include "graph/XYCPlotData.h"
#include "platform/owl/ResponseTable.h"
#include "platform/owl/TWindow.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace MGraph1 {
class Graph2DDrawer;
class Graph2DWindow;
}  // namespace MGraph1

namespace OWL {
class TDC;
}

namespace ZR::Doc {
class ZRDoc;
}

// Values of a or b within 1e-8 of the larger magnitude, or both below 1e-30, count as equal.
bool ApproxEqual(double a, double b) noexcept;

// "Channel N: T s, V units": time and value with 4 significant digits, the point always shown.
QOR::String PointLabel(int32_t channel, double seconds, double value, const QOR::String& units);

class AnalysisPlot final : public OWL::TWindow,
                           public MGraph1::YCPlotDataEx,
                           public MGraph1::XYCPlotData,
                           public MGraph1::GlyphPlotData,
                           public MessSys::MessageReceiver {
 public:
  // The height of the white strip above the graph.
  static constexpr int kCaptionHeight = 20;

  AnalysisPlot(OWL::TWindow* parent, OWL::TModule* module, ZR::Doc::ZRDoc* document);
  ~AnalysisPlot() override;

  void SetupWindow() override;
  // Reloads the data and repaints.
  void InvalidatePlot();
  // Takes the axis ranges from the events; a zoomed axis keeps what is shown.
  void RefreshData();
  // The graph's colours from the host's colour scheme, then InvalidatePlot.
  void ApplyColours();
  // Draws the plot into dc over rect without its window (printouts, metafile copies).
  void RenderTo(OWL::TDC& dc, OWL::TDC* printer, const OWL::TRect& rect);
  bool OnMessage(MessSys::Message* message) override;

  MGraph1::Graph2DWindow* Graph() const noexcept { return mGraph; }
  double YScale() const noexcept { return mYScale; }
  const QOR::String& YUnits() const noexcept { return mYUnits; }

  // Plot data: sampled series 0 and 1, the fitted curve (series 2), markers by category.
  bool GetSamples(int32_t series, int32_t& count, double& firstX, double& step, const float*& samples,
                  const COLORREF*& colours, COLORREF& colour) override;
  bool GetSampleBlock(int32_t series, int32_t& count, double& firstX, double& step, const float*& samples,
                      const COLORREF*& colours, COLORREF& colour, uint32_t& flags) override;
  bool GetSeriesData(int32_t series, int32_t& count, int32_t& firstIndex, const float*& xValues,
                     const float*& yValues, const COLORREF*& colours, COLORREF& colour, uint32_t& flags) override;
  bool GetGlyphs(double xLow, double xHigh, int32_t series, int32_t& count,
                 const MGraph1::GlyphRecord*& glyphs) override;
  // The sample under the cursor, labelled with PointLabel.
  bool GetPointInfo(int32_t series, MGraph1::PointInfo* info) override;

 protected:
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;
  void EvSize(UINT sizeType, const OWL::TSize& size);
  bool EvEraseBkgnd(HDC) { return true; }

 private:
  void CreateGraph();
  void BuildPlotters(MGraph1::Graph2DDrawer& drawer);
  void ApplyStoredRanges(MGraph1::Graph2DDrawer& drawer);
  double Setting(ZR::Doc::SettingId id) const;
  void SetSetting(ZR::Doc::SettingId id, double value);
  int32_t OptionOfCommand(int32_t command) const;

  MGraph1::Graph2DWindow* mGraph = nullptr;  // a child window: deleted with this window
  ZR::Doc::ZRDoc* mDocument;
  QOR::String mYUnits;
  double mYScale = 1.0;
  bool mFirstRange = true;
  // The last answers handed to the plotters (kept until the next draw).
  std::vector<MGraph1::GlyphRecord> mGlyphs;
  std::vector<float> mSeries[2];

  DECLARE_RESPONSE_TABLE(AnalysisPlot);
};
