// GraphCanvas: a white 32-bit DIB section on a memory DC that graph drawing is checked on.
#pragma once

#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TRect.h"

#include <cstdint>
#include <memory>

struct GraphCanvas {
  GraphCanvas(int w, int h)
      : width(w), height(h), bitmap(OWL::TBitmap::CreateDIB32(w, h, &bits)), dc(*bitmap) {
    dc.PatBlt(OWL::TRect(0, 0, w, h), WHITENESS);
  }
  uint32_t At(int x, int y) const { return bits[y * width + x] & 0xFFFFFF; }
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
