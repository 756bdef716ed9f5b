// Change flags of plot data and the trace's point information.
#include "graph/PlotData.h"

#include "graph/GraphStringIds.h"

#include "base/OFormatStream.h"
#include "base/OStringStream.h"
#include "platform/owl/TModule.h"

#include <cmath>
#include <string>

namespace MGraph1 {

bool PlotRange::Follow(double newLow, double newHigh) noexcept {
  if (!(newLow < newHigh) || (newLow == low && newHigh == high)) return false;
  low = newLow;
  high = newHigh;
  return true;
}

bool PlotDataBase::GetPointInfo(int32_t, PointInfo*) { return false; }

void PlotDataBase::SetChanged(bool value) noexcept {
  mChanged = value;
  if (value) mRedrawPending = true;
}

static QOR::String OutOfRangeText(int32_t series) {
  static const std::wstring format = OWL::TModule::Default().LoadString(IDS_GRAPH_SERIES_OUT_OF_RANGE);
  QOR::OStringStream text;
  QOR::OFormatStream out(text.rdbuf(), QOR::String(format.c_str()));
  out << series;
  return text.str();
}

bool YCPlotDataEx::GetPointInfo(int32_t series, PointInfo* info) {
  if (!info || IsChanged()) return false;
  int32_t count = 0;
  double x0 = 0.0;
  double dx = 0.0;
  const float* samples = nullptr;
  const COLORREF* colours = nullptr;
  COLORREF colour = 0;
  uint32_t flags = 0;
  if (!GetSampleBlock(series, count, x0, dx, samples, colours, colour, flags)) return false;
  reloadPending = false;
  if (!(dx > 0.0) || !std::isfinite(dx)) return false;

  double const qx = info->x;
  if (std::isnan(qx)) return false;
  if (qx < xRange.low || qx > xRange.high) {
    info->text = OutOfRangeText(series);
    info->valid = false;
    return true;
  }
  double const position = std::floor((qx - x0 + 0.5 * dx) / dx);
  if (std::isnan(position)) return false;
  int32_t const index = static_cast<int32_t>(std::fmin(std::fmax(position, -2147483648.0), 2147483647.0));
  info->x = snap ? index * dx + x0 : qx;
  info->valid = index >= 0 && index < count && samples;
  info->y = info->valid ? samples[index] : 0.0;
  return true;
}

}  // namespace MGraph1
