// MGraph1::XYCPlotDataBase and XYCPlotData: x/y point series and the per-pixel map of the points drawn last.
#pragma once

#include "graph/PlotData.h"

#include "base/String.h"

#include <windows.h>

#include <cstdint>
#include <unordered_map>

namespace MGraph1 {

// One point as the last draw recorded it in its pixel cell.
struct PointRecord {
  int32_t marker = -1;
  int32_t spare = 0;
  double x = 0.0;
  double y = 0.0;
  int32_t index = 0;  // the series' first index plus the point's position in the arrays
  uint32_t pass = 0;  // the redraw pass that recorded it
  COLORREF colour = 0;
  int32_t spare2 = 0;
};
static_assert(sizeof(PointRecord) == 40, "a point record is copied whole");

inline PointRecord MakePointRecord(double x, double y, int32_t index, COLORREF colour, uint32_t pass) noexcept {
  PointRecord record;
  record.x = x;
  record.y = y;
  record.index = index;
  record.pass = pass;
  record.colour = colour;
  return record;
}

// The area the legend entries of a series cover, widened by every entry drawn.
struct LegendExtent {
  int32_t left = 0x7FFFFFFF;
  int32_t right = static_cast<int32_t>(0x80000001);
  int32_t top = 0x7FFFFFFF;
  int32_t bottom = static_cast<int32_t>(0x80000001);
  int32_t largestHeight = static_cast<int32_t>(0x80000001);
};

// Cells are pixels of the plot rectangle counted from its left and top edges; a cell outside the
// grid is refused (the call does nothing, or answers false).
class XYCPlotDataBase : public PlotDataBase {
 public:
  static constexpr double kNoHighlight = 2147483647.0;

  // The point within 20 pixels of (info->pixelX, info->pixelY); the series is not used, since the
  // map holds the one series this object draws.
  bool GetPointInfo(int32_t series, PointInfo* info) override;
  // False for an empty size or while open. The same size at origin (0, 0) keeps the points.
  virtual bool BeginPointMap(int32_t width, int32_t height, int32_t& out);
  virtual void EndPointMap() noexcept { mPointMapOpen = false; }
  virtual void ClearPointMap() noexcept { mPoints.clear(); }
  // The recorded point nearest (x, y) at a squared distance below radius squared; ties keep the
  // first found scanning rows top down. The far edges of the search square are excluded.
  virtual bool FindNearestPoint(int32_t x, int32_t y, int32_t radius, PointRecord& out) const;
  virtual bool GetPoint(int32_t cx, int32_t cy, PointRecord& out) const;
  virtual void SetPoint(int32_t cx, int32_t cy, double x, double y, int32_t index, COLORREF colour,
                        uint32_t pass);
  virtual void SetPointRecord(int32_t cx, int32_t cy, const PointRecord& record);
  // Keeps a record already in the cell.
  virtual void InsertPoint(int32_t cx, int32_t cy, const PointRecord& record);

  size_t PointCount() const noexcept { return mPoints.size(); }

  PlotRange xRange;
  PlotRange middleRange;  // not used by the plotters
  PlotRange yRange;
  int32_t legendRow = -1;
  LegendExtent legend;
  double highlightX = kNoHighlight;
  double highlightY = kNoHighlight;
  int32_t highlightFactor = 0;
  COLORREF highlightColour = 0;
  // Set: the next draw fetches the arrays again without LoadSeries and keeps the point map.
  bool reloadPending = false;
  QOR::String name;  // shown in the legend

 private:
  bool CellNumber(int32_t cx, int32_t cy, uint32_t& number) const noexcept;

  bool mPointMapOpen = false;
  std::unordered_map<uint32_t, PointRecord> mPoints;
  int32_t mGridWidth = -1;
  int32_t mGridHeight = -1;
  int32_t mOriginX = 0;
  int32_t mOriginY = 0;
};

// Fixes the value and colour types a series is read as.
template <class Value, class Colour>
class XYCPlotDataCore {
 public:
  using ValueType = Value;
  using ColourType = Colour;
};

// The series flags of GetSeriesData.
enum SeriesFlag : uint32_t {
  kSeriesSymbols = 0x0001,
  kSeriesConnect = 0x0002,
  kSeriesLegend = 0x0004,
  kSeriesFirstSymbolShape = 0x0008,  // then one bit per shape up to 0x0400
  kSeriesLastSymbolShape = 0x0400,
  kSeriesNotInPointMap = 0x1000,
};

class XYCPlotData : public XYCPlotDataCore<float const, unsigned long const>, public XYCPlotDataBase {
 public:
  // Asked before the arrays are fetched on a full reload; false skips the series for this draw.
  virtual bool LoadSeries(int32_t) { return true; }
  // count points from firstIndex: x and y values, per-point colours or null (then colour), and
  // the series flags. The arrays stay owned by the data object until the draw returns (fetched
  // for a label plotter's LinePixels: until the drawer's pass over its plots ends).
  virtual bool GetSeriesData(int32_t series, int32_t& count, int32_t& firstIndex, const float*& xValues,
                             const float*& yValues, const COLORREF*& colours, COLORREF& colour,
                             uint32_t& flags) = 0;
};

}  // namespace MGraph1
