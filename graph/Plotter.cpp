// The plotter base: its series, pen settings, data ownership and change flags.
#include "graph/Plotter.h"

#include "graph/GraphStringIds.h"
#include "graph/PlotData.h"

#include "platform/owl/TModule.h"

#include <string>

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

bool Plotter::GetHint(const POINT&, QOR::String* text) {
  static const std::wstring hint = OWL::TModule::Default().LoadString(IDS_GRAPH_DUMMY_HINT);
  if (!text) return false;
  *text = QOR::String(hint.c_str());
  return true;
}

}  // namespace MGraph1
