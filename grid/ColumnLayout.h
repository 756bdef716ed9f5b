// ColumnLayout: which data column stands at each display position of a table, and each data
// column's stored width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Stored widths are the shown width in pixels plus kStoredWidthMargin: a column stored with the
// default width therefore shows kStoredWidthMargin pixels narrower than the default.
inline constexpr int32_t kStoredWidthMargin = 10;
// The widest column a record may store: the largest coordinate a window can have. A narrower
// limit than the record's 32 bits keeps the stored width minus the margin, and the columns'
// edges summed from it, from overflowing.
inline constexpr int32_t kMaxShownColumnWidth = 0x7FFF;

// The map holds one entry per display position (the data column shown there) and is a
// permutation of 0..n-1; the widths are indexed by data column, so they stay with a moved column.
class ColumnLayout {
 public:
  ColumnLayout() = default;
  // Takes a map and widths as they are; IsConsistent says whether they form a layout.
  ColumnLayout(std::vector<uint32_t> map, std::vector<int32_t> widths)
      : mMap(std::move(map)), mWidths(std::move(widths)) {}

  size_t Count() const noexcept { return mMap.size(); }
  const std::vector<uint32_t>& Map() const noexcept { return mMap; }
  const std::vector<int32_t>& Widths() const noexcept { return mWidths; }

  // The identity map of n columns, each stored with storedWidth.
  void Reset(uint32_t n, int32_t storedWidth);
  // Appends data columns Count()..n-1 at the end, each stored with storedWidth.
  void Extend(uint32_t n, int32_t storedWidth);
  // The data column at a display position; a position outside the map is its own data column.
  int32_t ToData(int32_t position) const noexcept;
  // The first display position showing a data column; -1 when it is not shown.
  int32_t ToDisplay(int32_t dataColumn) const noexcept;
  // Moves the entry at from (inside the map) to position to of the map without it; a to past
  // that map's end appends. to must not be negative.
  void Move(size_t from, size_t to);
  // The stored width of the data column shown at position (inside the widths), or false.
  bool StoredWidthAt(int32_t position, int32_t* stored) const noexcept;
  bool SetStoredWidthAt(int32_t position, int32_t stored) noexcept;
  // True when the map is a permutation of 0..n-1 with one width per entry, each showing a
  // column of 1 to kMaxShownColumnWidth pixels.
  bool IsConsistent() const;

 private:
  std::vector<uint32_t> mMap;
  std::vector<int32_t> mWidths;
};
