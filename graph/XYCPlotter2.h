// MGraph1::XYCPlotter2: the x/y plotter over series read through iterators, in blocks of 128.
#pragma once

#include "graph/XYCPlotter.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace MGraph1 {

class GraphColorrefIterator;
class GraphFloatIterator;
class XYCPlotData2;

// Draws as XYCPlotter does; its data is an XYCPlotData2.
class XYCPlotter2 : public XYCPlotter {
 public:
  static constexpr int32_t kBlock = 128;

  virtual XYCPlotData2* GetTypedData2() const;
  void DrawPoints(OWL::TDC& dc, const XYCDrawContext& context) override;

 protected:
  bool FetchSeries(XYCPlotDataBase& data, XYCDrawContext& context, bool& reloaded) override;

 private:
  // The iterators of the series being drawn (owned by the data).
  GraphFloatIterator* mXs = nullptr;
  GraphFloatIterator* mYs = nullptr;
  GraphColorrefIterator* mColours = nullptr;
  std::vector<float> mXBuffer, mYBuffer;
  std::vector<COLORREF> mColourBuffer;

  static uint32_t sPass;  // one per redraw pass of any XYCPlotter2
};

}  // namespace MGraph1
