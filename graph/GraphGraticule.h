// MGraph1::GraphGraticule: the grid of a two-dimensional graph at the axis scales' tick positions.
#pragma once

#include "graph/GraphDisplayInfo.h"

#include "hostapi/DragScale.h"
#include "hostclient/ComPtr.h"
#include "platform/owl/TRect.h"

#include <cstdint>
#include <vector>

namespace OWL {
class TDC;
}

namespace MGraph1 {

// Holds a reference on each scale until given others or destroyed. The tick positions come from
// the scales (IScaleTicks, else their grid step); without both scales nothing is drawn.
class GraphGraticule {
 public:
  GraphGraticule() = default;
  GraphGraticule(const GraphDisplayInfo& display, IDragScale* xScale, IDragScale* yScale);
  GraphGraticule(const GraphGraticule&) = delete;
  GraphGraticule& operator=(const GraphGraticule&) = delete;
  virtual ~GraphGraticule() = default;

  // clipRect may be null; a grid rectangle outside it draws nothing.
  virtual void Draw(OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect* clipRect);
  void SetScales(IDragScale* xScale, IDragScale* yScale) noexcept;
  void SetDisplayInfo(const GraphDisplayInfo& display) noexcept { mDisplay = display; }
  const GraphDisplayInfo& GetDisplayInfo() const noexcept { return mDisplay; }
  void SetRect(const OWL::TRect& rect) noexcept { mRect = rect; }

 private:
  void DrawFromTicks(OWL::TDC& dc, const std::vector<int32_t>& xs, const std::vector<int32_t>& ys);
  // The fallback: lines from the farthest offset back to 0 by the scales' grid step.
  void DrawFromGrid(OWL::TDC& dc);

  OWL::TRect mRect;
  QOR::ComPtr<IDragScale> mXScale;
  QOR::ComPtr<IDragScale> mYScale;
  GraphDisplayInfo mDisplay;
};

}  // namespace MGraph1
