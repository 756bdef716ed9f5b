// Cell values: the number kind's text.
#include "grid/CellData.h"

#include <cwchar>

namespace TVF_Grid {

void TVF_CellUint32Data::SetValue(uint32_t n) {
  mValue = n;
  wchar_t digits[16];
  std::swprintf(digits, 16, L"%ld", static_cast<long>(static_cast<int32_t>(n)));
  mText = digits;
}

}  // namespace TVF_Grid
