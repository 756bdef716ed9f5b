// The plotter base: its series, pen settings, data ownership and change flags.
#include "graph/Plotter.h"

#include "graph/PlotData.h"

namespace MGraph1 {

Plotter::~Plotter() {
  if (mOwnsData) delete mData;
}

int32_t Plotter::SetPenStyle(int32_t style) noexcept {
  int32_t const old = mPenStyle;
  mPenStyle = style;
  return old;
}

void Plotter::SetData(PlotData* data, int32_t series, bool owns) {
  if (mOwnsData && mData != data) delete mData;
  mOwnsData = owns;
  mSeries = series;
  mData = data;
  OnDataSet();
}

}  // namespace MGraph1
