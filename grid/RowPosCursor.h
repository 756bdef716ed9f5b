// TVF_Grid::RowPosCursor: walks the rows of a column with their pixel positions while painting or
// printing; UniformRowPosCursor for rows of one height.
#pragma once

#include <cstdint>

namespace TVF_Grid {

class RowPosCursor {
 public:
  virtual ~RowPosCursor() = default;
  // To the next row; answers its top.
  virtual int32_t Next() = 0;
  // Forward n rows; answers the pixels moved.
  virtual int32_t Advance(int32_t n) = 0;
  virtual bool HasMore() const = 0;
  // The current row (client numbering) and its top and bottom edges (bottom exclusive).
  virtual int32_t Row() const = 0;
  virtual int32_t Top() const = 0;
  virtual int32_t Bottom() const = 0;
  virtual int32_t EndRow() const = 0;
};

class UniformRowPosCursor final : public RowPosCursor {
 public:
  // top: y of the first row's top edge relative to the visible cell area; rows row .. endRow - 1
  // in the client's numbering, each with its fixed count.
  UniformRowPosCursor(int32_t top, int32_t row, int32_t rowFixed, int32_t endRow, int32_t endFixed,
                      int32_t rowHeight) noexcept
      : mTop(top), mBottom(top + rowHeight), mRow(row), mRowFixed(rowFixed), mEndRow(endRow),
        mEndFixed(endFixed), mRowHeight(rowHeight) {}

  int32_t Next() override;
  int32_t Advance(int32_t n) override;
  // The fixed counts are not compared.
  bool HasMore() const override { return mRow < mEndRow; }

  int32_t Top() const noexcept override { return mTop; }
  int32_t Bottom() const noexcept override { return mBottom; }
  int32_t Row() const noexcept override { return mRow; }
  int32_t EndRow() const noexcept override { return mEndRow; }
  int32_t RowHeight() const noexcept { return mRowHeight; }

 private:
  int32_t mTop;
  int32_t mBottom;
  int32_t mRow;
  int32_t mRowFixed;
  int32_t mEndRow;
  int32_t mEndFixed;
  int32_t mRowHeight;
};

}  // namespace TVF_Grid
