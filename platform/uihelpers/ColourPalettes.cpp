// The palettes, their choice and lookups.
#include "platform/uihelpers/ColourPalettes.h"

namespace QOR {

namespace {

const COLORREF kBasic[21] = {
    RGB(255, 0, 0),   RGB(0, 0, 255),     RGB(0, 128, 0),     RGB(255, 0, 255), RGB(0, 0, 128),
    RGB(128, 0, 0),   RGB(128, 128, 0),   RGB(128, 0, 128),   RGB(0, 128, 128), RGB(0, 0, 0),
    RGB(0, 255, 0),   RGB(0, 255, 255),   RGB(255, 128, 0),   RGB(255, 0, 128), RGB(128, 0, 255),
    RGB(128, 64, 0),  RGB(0, 128, 192),   RGB(224, 160, 0),   RGB(0, 128, 255), RGB(128, 128, 192),
    RGB(255, 255, 0),
};

const COLORREF kExtended[37] = {
    RGB(213, 0, 0),     RGB(234, 88, 0),    RGB(170, 128, 0),   RGB(168, 191, 0),
    RGB(85, 170, 0),    RGB(14, 106, 0),    RGB(0, 128, 32),    RGB(0, 170, 106),
    RGB(0, 170, 170),   RGB(0, 147, 234),   RGB(0, 64, 255),    RGB(19, 0, 149),
    RGB(106, 0, 213),   RGB(168, 0, 191),   RGB(213, 0, 159),   RGB(234, 0, 88),
    RGB(106, 106, 106), RGB(0, 0, 0),       RGB(234, 85, 255),  RGB(255, 106, 218),
    RGB(255, 128, 175), RGB(255, 106, 106), RGB(255, 163, 106), RGB(255, 213, 85),
    RGB(237, 255, 106), RGB(170, 255, 85),  RGB(69, 255, 43),   RGB(64, 255, 112),
    RGB(85, 255, 191),  RGB(64, 255, 255),  RGB(106, 200, 255), RGB(106, 143, 255),
    RGB(125, 106, 255), RGB(181, 106, 255), RGB(191, 191, 191), RGB(138, 138, 138),
    RGB(85, 85, 85),
};

const uint16_t kIdentityOrder[21] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
const uint16_t kExtendedOrder[18] = {0, 10, 5, 14, 11, 7, 2, 12, 6, 1, 9, 4, 15, 13, 8, 16, 3, 17};

PaletteChoice& Current() noexcept {
  static PaletteChoice choice;
  return choice;
}

int ScreenBitsPerPixel() noexcept {
  HDC const screen = GetDC(nullptr);
  if (!screen) return 32;
  int const bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits;
}

}  // namespace

PaletteChoice ChoosePalette(int bitsPerPixel, bool extended) noexcept {
  PaletteChoice c;
  c.chosen = true;
  if (bitsPerPixel <= 8 || !extended) {
    uint16_t const n = bitsPerPixel <= 8 ? 12 : 20;
    c.total = c.orderLength = c.cycleLength = n;
    c.palette = kBasic;
    c.order = kIdentityOrder;
    c.basic = true;
    return c;
  }
  c.total = 37;
  c.orderLength = 18;
  c.cycleLength = 19;
  c.cycleStart = 18;
  c.palette = kExtended;
  c.order = kExtendedOrder;
  c.basic = false;
  return c;
}

const PaletteChoice& InitColourPalettes(bool extended) noexcept {
  PaletteChoice& current = Current();
  if (!current.chosen || current.basic == extended) current = ChoosePalette(ScreenBitsPerPixel(), extended);
  return current;
}

COLORREF GetPaletteColour(uint16_t index, const PaletteColourSource* source) noexcept {
  const PaletteChoice& c = InitColourPalettes(source != nullptr);
  COLORREF colour = 0;
  if (source && source->GetColour(index, colour)) return colour;
  return c.palette[c.cycleStart + index % c.cycleLength];
}

COLORREF GetPaletteColourByOrder(uint32_t n) noexcept {
  const PaletteChoice& c = Current().chosen ? Current() : InitColourPalettes(true);
  return c.palette[c.orderStart + c.order[c.orderStart + n % c.orderLength] % c.orderLength];
}

COLORREF GetPaletteColourOfAll(uint32_t n) noexcept {
  const PaletteChoice& c = Current().chosen ? Current() : InitColourPalettes(true);
  return c.palette[n % c.total];
}

}  // namespace QOR
