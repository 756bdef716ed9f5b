// The uniform row cursor's steps.
#include "grid/RowPosCursor.h"

namespace TVF_Grid {

int32_t UniformRowPosCursor::Next() {
  mTop = mBottom;
  mBottom += mRowHeight;
  ++mRow;
  return mTop;
}

int32_t UniformRowPosCursor::Advance(int32_t n) {
  const int32_t pixels = n * mRowHeight;
  mTop += pixels;
  mBottom += pixels;
  mRow += n;
  return pixels;
}

}  // namespace TVF_Grid
