// The trace colour palettes: a basic one of 21 colours and an extended one of 37, chosen by the
// screen's colour depth and by whether a colour source is given, and three ways to look a
// colour up in the palette chosen.
#pragma once

#include <windows.h>

#include <cstdint>

namespace QOR {

// Where colours come from when the caller has its own (the host application's colours).
class PaletteColourSource {
 public:
  virtual ~PaletteColourSource() = default;
  // False when the source has no colour for index.
  virtual bool GetColour(uint16_t index, COLORREF& colour) const = 0;
};

// The palette in use (process-wide; user-interface thread only).
struct PaletteChoice {
  uint16_t total = 0;
  bool basic = true;
  bool chosen = false;
  uint16_t orderLength = 0;
  uint16_t cycleLength = 0;
  uint16_t orderStart = 0;
  uint16_t cycleStart = 0;
  const COLORREF* palette = nullptr;
  const uint16_t* order = nullptr;
};

// The choice for a screen of bitsPerPixel: 8 or fewer always 12 basic colours; else 20 basic
// colours, or the extended palette (37 colours, an order of 18, a cycle of 19 from 18).
PaletteChoice ChoosePalette(int bitsPerPixel, bool extended) noexcept;
// Chooses again (by the screen) when none was chosen or the other kind is asked for.
const PaletteChoice& InitColourPalettes(bool extended) noexcept;

// By cycle: the source's colour when a source is given and has one; else
// palette[cycle start + index mod cycle length] of the basic choice (extended with a source).
COLORREF GetPaletteColour(uint16_t index, const PaletteColourSource* source = nullptr) noexcept;
// By order (trace drawing) and over all colours (graph defaults), in the current choice.
COLORREF GetPaletteColourByOrder(uint32_t n) noexcept;
COLORREF GetPaletteColourOfAll(uint32_t n) noexcept;

}  // namespace QOR
