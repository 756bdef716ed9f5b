// FitText: cutting text to a width with an ellipsis.
#include "grid/FittedText.h"

#include <algorithm>

namespace TVF_Grid {

std::wstring FitText(HDC dc, const wchar_t* text, int length, int width) {
  SIZE size{};
  if (length <= 0 || (GetTextExtentPoint32W(dc, text, length, &size) && size.cx <= width))
    return std::wstring(text, static_cast<size_t>(std::max(length, 0)));
  static constexpr wchar_t kEllipsis[] = L"...";
  constexpr int kDots = 3;
  SIZE dots{};
  GetTextExtentPoint32W(dc, kEllipsis, kDots, &dots);
  int fit = 0;
  if (width > dots.cx && !GetTextExtentExPointW(dc, text, length, width - dots.cx, &fit, nullptr, &size)) fit = 0;
  if (fit > 0) return std::wstring(text, static_cast<size_t>(fit)) + kEllipsis;
  int shownDots = 0;
  if (width <= 0 || !GetTextExtentExPointW(dc, kEllipsis, kDots, width, &shownDots, nullptr, &size)) shownDots = 0;
  return std::wstring(kEllipsis, static_cast<size_t>(shownDots));
}

int CellTextGap(int dotsPerInch) noexcept {
  constexpr int kGapAt96 = 4;
  return dotsPerInch > 0 ? MulDiv(kGapAt96, dotsPerInch, 96) : kGapAt96;
}

}  // namespace TVF_Grid
