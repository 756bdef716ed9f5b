// GraphCanvas: a white 32-bit DIB section on a memory DC that graph drawing is checked on.
#pragma once

#include "graph/GraphDrawer.h"

#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TRect.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

struct GraphCanvas {
  GraphCanvas(int w, int h)
      : width(w), height(h), bitmap(OWL::TBitmap::CreateDIB32(w, h, &bits)), dc(*bitmap) {
    dc.PatBlt(OWL::TRect(0, 0, w, h), WHITENESS);
  }
  uint32_t At(int x, int y) const { return bits[y * width + x] & 0xFFFFFF; }
  // A COLORREF as this canvas stores it (0x00RRGGBB).
  static uint32_t Pixel(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  }
  // Whether a pixel of colour lies within radius (a square) of (x, y).
  bool Near(int x, int y, COLORREF colour, int radius = 1) const {
    for (int py = y - radius; py <= y + radius; ++py)
      for (int px = x - radius; px <= x + radius; ++px)
        if (px >= 0 && py >= 0 && px < width && py < height && At(px, py) == Pixel(colour)) return true;
    return false;
  }
  // Pixels that are not white inside [left, right) x [top, bottom).
  int InkIn(const OWL::TRect& r) const {
    int ink = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) ink += At(x, y) != 0xFFFFFF;
    return ink;
  }
  std::vector<uint32_t> Snapshot() const {
    std::vector<uint32_t> copy(bits, bits + width * height);
    for (uint32_t& pixel : copy) pixel &= 0xFFFFFF;
    return copy;
  }
  // The smallest rectangle holding every pixel that is not white.
  OWL::TRect InkBounds() const {
    OWL::TRect ink(width, height, -1, -1);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        if (At(x, y) == 0xFFFFFF) continue;
        if (x < ink.left) ink.left = x;
        if (y < ink.top) ink.top = y;
        if (x >= ink.right) ink.right = x + 1;
        if (y >= ink.bottom) ink.bottom = y + 1;
      }
    return ink;
  }

  int width;
  int height;
  uint32_t* bits = nullptr;
  std::unique_ptr<OWL::TBitmap> bitmap;
  OWL::TMemoryDC dc;
};

// Gives a drawable pixel mappings x -> (x + xOffset) * xScale, y -> (y + yOffset) * yScale, owned.
inline void MapPlot(MGraph1::GraphDrawer& drawable, double xScale, double xOffset, double yScale, double yOffset) {
  drawable.UseXMapping(new MGraph1::MappingRecord{xScale, xOffset}, true);
  drawable.UseYMapping(new MGraph1::MappingRecord{yScale, yOffset}, true);
}
