// MGraph1::XYCPlotData2: x/y point series read through iterators, for series not held in arrays.
#pragma once

#include "graph/XYCPlotData.h"

#include <windows.h>

#include <cstdint>

namespace MGraph1 {

// Reads a series' values in order, a block at a time.
class GraphFloatIterator {
 public:
  virtual ~GraphFloatIterator() = default;
  // Copies the next values, at most count of them; answers how many (0 at the end).
  virtual int32_t Read(float* values, int32_t count) = 0;
};

class GraphColorrefIterator {
 public:
  virtual ~GraphColorrefIterator() = default;
  virtual int32_t Read(COLORREF* values, int32_t count) = 0;
};

class XYCPlotData2 : public XYCPlotDataBase {
 public:
  // Asked before the series is fetched on a full reload; false skips it for this draw.
  virtual bool LoadSeries(int32_t) { return true; }
  // As XYCPlotData's, with iterators in place of the arrays (colours null: colour for all). The
  // iterators stay owned by the data object and valid until the draw returns.
  virtual bool GetSeriesData(int32_t series, int32_t& count, int32_t& firstIndex, GraphFloatIterator*& xValues,
                             GraphFloatIterator*& yValues, GraphColorrefIterator*& colours, COLORREF& colour,
                             uint32_t& flags) = 0;
};

}  // namespace MGraph1
