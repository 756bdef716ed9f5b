// The point map of x/y plot data: recording, lookup and the nearest-point search.
#include "graph/XYCPlotData.h"

#include <algorithm>

namespace MGraph1 {

bool XYCPlotDataBase::GetPointInfo(int32_t, PointInfo* info) {
  if (!info) return false;
  info->valid = false;
  PointRecord record;
  if (!FindNearestPoint(info->pixelX, info->pixelY, 20, record)) return false;
  info->x = record.x;
  info->y = record.y;
  info->index = record.index;
  info->valid = true;
  return true;
}

bool XYCPlotDataBase::BeginPointMap(int32_t width, int32_t height, int32_t& out) {
  if (width < 1 || height < 1 || mPointMapOpen) return false;
  if (width != mGridWidth || height != mGridHeight || mOriginX != 0 || mOriginY != 0) {
    ClearPointMap();
    mGridWidth = width;
    mGridHeight = height;
    mOriginX = 0;
    mOriginY = 0;
  }
  out = 0;
  mPointMapOpen = true;
  return true;
}

bool XYCPlotDataBase::CellNumber(int32_t cx, int32_t cy, uint32_t& number) const noexcept {
  if (cx < 0 || cx >= mGridWidth || cy < 0 || cy >= mGridHeight) return false;
  number = static_cast<uint32_t>(mGridWidth) * static_cast<uint32_t>(cy) + static_cast<uint32_t>(cx);
  return true;
}

bool XYCPlotDataBase::FindNearestPoint(int32_t x, int32_t y, int32_t radius, PointRecord& out) const {
  if (mPoints.empty()) return false;
  // In 64 bits: a position far off the grid must not overflow the window or the distances.
  int64_t const px = static_cast<int64_t>(x) - mOriginX;
  int64_t const py = static_cast<int64_t>(y) - mOriginY;
  int64_t const r = radius;
  int64_t best = r * r;
  bool found = false;
  for (int64_t cy = std::max<int64_t>(py - r, 0); cy < std::min<int64_t>(mGridHeight, py + r); ++cy)
    for (int64_t cx = std::max<int64_t>(px - r, 0); cx < std::min<int64_t>(mGridWidth, px + r); ++cx) {
      int64_t const distance = (cx - px) * (cx - px) + (cy - py) * (cy - py);
      if (distance >= best) continue;
      if (!GetPoint(static_cast<int32_t>(cx), static_cast<int32_t>(cy), out)) continue;
      best = distance;
      found = true;
    }
  return found;
}

bool XYCPlotDataBase::GetPoint(int32_t cx, int32_t cy, PointRecord& out) const {
  uint32_t number = 0;
  if (!CellNumber(cx, cy, number)) return false;
  auto const found = mPoints.find(number);
  if (found == mPoints.end()) return false;
  out = found->second;
  return true;
}

void XYCPlotDataBase::SetPoint(int32_t cx, int32_t cy, double x, double y, int32_t index, COLORREF colour,
                               uint32_t pass) {
  SetPointRecord(cx, cy, MakePointRecord(x, y, index, colour, pass));
}

void XYCPlotDataBase::SetPointRecord(int32_t cx, int32_t cy, const PointRecord& record) {
  uint32_t number = 0;
  if (CellNumber(cx, cy, number)) mPoints[number] = record;
}

void XYCPlotDataBase::InsertPoint(int32_t cx, int32_t cy, const PointRecord& record) {
  uint32_t number = 0;
  if (CellNumber(cx, cy, number)) mPoints.emplace(number, record);
}

}  // namespace MGraph1
