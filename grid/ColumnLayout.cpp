// ColumnLayout: the display-to-data column map and the per-data-column widths.
#include "grid/ColumnLayout.h"

#include <algorithm>

void ColumnLayout::Reset(uint32_t n, int32_t storedWidth) {
  mMap.clear();
  mWidths.clear();
  Extend(n, storedWidth);
}

void ColumnLayout::Extend(uint32_t n, int32_t storedWidth) {
  mMap.reserve(n);
  mWidths.reserve(n);
  for (uint32_t column = static_cast<uint32_t>(mMap.size()); column < n; ++column) {
    mMap.push_back(column);
    mWidths.push_back(storedWidth);
  }
}

int32_t ColumnLayout::ToData(int32_t position) const noexcept {
  if (position < 0 || static_cast<size_t>(position) >= mMap.size()) return position;
  return static_cast<int32_t>(mMap[static_cast<size_t>(position)]);
}

int32_t ColumnLayout::ToDisplay(int32_t dataColumn) const noexcept {
  const auto found = std::find(mMap.begin(), mMap.end(), static_cast<uint32_t>(dataColumn));
  return found == mMap.end() ? -1 : static_cast<int32_t>(found - mMap.begin());
}

void ColumnLayout::Move(size_t from, size_t to) {
  const uint32_t column = mMap[from];
  mMap.erase(mMap.begin() + static_cast<std::ptrdiff_t>(from));
  to = std::min(to, mMap.size());
  mMap.insert(mMap.begin() + static_cast<std::ptrdiff_t>(to), column);
}

bool ColumnLayout::StoredWidthAt(int32_t position, int32_t* stored) const noexcept {
  const int32_t data = ToData(position);
  if (data < 0 || static_cast<size_t>(data) >= mWidths.size()) return false;
  *stored = mWidths[static_cast<size_t>(data)];
  return true;
}

bool ColumnLayout::SetStoredWidthAt(int32_t position, int32_t stored) noexcept {
  const int32_t data = ToData(position);
  if (data < 0 || static_cast<size_t>(data) >= mWidths.size()) return false;
  mWidths[static_cast<size_t>(data)] = stored;
  return true;
}

bool ColumnLayout::IsConsistent() const {
  if (mWidths.size() != mMap.size()) return false;
  for (const int32_t stored : mWidths)
    if (stored <= kStoredWidthMargin || stored - kStoredWidthMargin > kMaxShownColumnWidth) return false;
  std::vector<bool> seen(mMap.size(), false);
  for (const uint32_t column : mMap) {
    if (column >= seen.size() || seen[column]) return false;
    seen[column] = true;
  }
  return true;
}
