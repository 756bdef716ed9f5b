// Grid coordinates: a position is an index with the fixed count it counts from; a cell range is
// four positions with exclusive ends.
#pragma once

#include <cstdint>

namespace TVF_Grid {

struct GridPosition {
  int32_t Index = -1;
  int32_t Fixed = -1;

  bool IsValid() const noexcept { return Index >= 0 && Fixed >= 0; }
  // Valid positions compare by index; all invalid positions are equal.
  bool operator==(const GridPosition& other) const noexcept {
    if (IsValid() != other.IsValid()) return false;
    return !IsValid() || Index == other.Index;
  }
  bool operator!=(const GridPosition& other) const noexcept { return !(*this == other); }
};

struct CellRange {
  GridPosition FirstRow;
  GridPosition EndRow;
  GridPosition FirstColumn;
  GridPosition EndColumn;

  bool IsValid() const noexcept {
    return FirstRow.IsValid() && EndRow.IsValid() && FirstColumn.IsValid() && EndColumn.IsValid() &&
           EndRow.Index > FirstRow.Index && EndColumn.Index > FirstColumn.Index;
  }
  bool IsSingleCell() const noexcept {
    return IsValid() && EndRow.Index - FirstRow.Index == 1 && EndColumn.Index - FirstColumn.Index == 1;
  }
  bool ContainsRow(int32_t row) const noexcept {
    return IsValid() && FirstRow.Index <= row && row < EndRow.Index;
  }
  bool ContainsColumn(int32_t column) const noexcept {
    return IsValid() && FirstColumn.Index <= column && column < EndColumn.Index;
  }
  bool operator==(const CellRange& o) const noexcept {
    return FirstRow == o.FirstRow && EndRow == o.EndRow && FirstColumn == o.FirstColumn &&
           EndColumn == o.EndColumn;
  }
  bool operator!=(const CellRange& o) const noexcept { return !(*this == o); }
};

}  // namespace TVF_Grid
