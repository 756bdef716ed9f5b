// MGraph1::GraphDisplayInfo: the display settings of a graph, copied whole between client, drawer and graticule.
#pragma once

#include <windows.h>

#include <cstdint>

namespace MGraph1 {

struct GraphDisplayInfo {
  int32_t first = 1;    // carried along unchanged
  int32_t second = 175; // carried along unchanged
  COLORREF graticuleColour = 0xFFAFAF;
  int32_t graticuleStyle = 0;  // 0 dotted lines, else dots at the crossings
  bool graticuleShown = true;
};

}  // namespace MGraph1
