// The iterator-fed x/y plotter: fetching the iterators and drawing the series block by block.
#include "graph/XYCPlotter2.h"

#include "graph/XYCPlotData2.h"
#include "graph/XYCPointRunPrivate.h"

#include <algorithm>

namespace MGraph1 {

uint32_t XYCPlotter2::sPass = 0;

XYCPlotData2* XYCPlotter2::GetTypedData2() const { return dynamic_cast<XYCPlotData2*>(GetData()); }

bool XYCPlotter2::FetchSeries(XYCPlotDataBase&, XYCDrawContext& c, bool& reloaded) {
  XYCPlotData2* const data = GetTypedData2();
  if (!data) return false;
  COLORREF seriesColour = 0;
  bool const full = data->IsRedrawPending() || !data->reloadPending;
  if (full && !data->LoadSeries(mSeries)) return false;
  mXs = mYs = nullptr;
  mColours = nullptr;
  if (!data->GetSeriesData(mSeries, c.count, c.firstIndex, mXs, mYs, mColours, seriesColour, c.flags)) return false;
  reloaded = full;
  if (!full) data->reloadPending = false;
  data->ClearRedrawPending();
  c.colourStride = mColours ? 1 : 0;
  c.defaultColour = mColours ? mColour : seriesColour;
  return true;
}

void XYCPlotter2::DrawPoints(OWL::TDC& dc, const XYCDrawContext& c) {
  const MappingRecord* const xm = GetXMapping();
  const MappingRecord* const ym = GetYMapping();
  if (c.count <= 0 || !xm || !ym || !mXs || !mYs) return;
  mXBuffer.resize(kBlock);
  mYBuffer.resize(kBlock);
  mColourBuffer.resize(kBlock);
  XYCPointRun run(dc, c, *xm, *ym, mPenStyle, mLineWidth, ++sPass);
  for (int32_t done = 0; done < c.count;) {
    int32_t const wanted = std::min(kBlock, c.count - done);
    int32_t n = std::min(mXs->Read(mXBuffer.data(), wanted), mYs->Read(mYBuffer.data(), wanted));
    if (mColours) n = std::min(n, mColours->Read(mColourBuffer.data(), wanted));
    n = std::min(n, wanted);
    if (n <= 0) break;  // a series shorter than its count ends here
    run.Draw(done, n, mXBuffer.data(), mYBuffer.data(), mColours ? mColourBuffer.data() : nullptr);
    done += n;
  }
  DrawDecorations(dc, c);
}

}  // namespace MGraph1
