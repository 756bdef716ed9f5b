// The one-pixel frame of a grid cell: shadow along the top and right, highlight along the
// bottom and left (system colours).
#pragma once

#include <windows.h>

namespace TVF_Grid {

void DrawCellFrame(HDC dc, int left, int top, int right, int bottom);

}  // namespace TVF_Grid
