// Lightened colours and the system colour table.
#include "platform/uihelpers/Colours.h"

namespace QOR {

static int Lighten(int channel, double delta) noexcept {
  double const value = channel + delta;
  if (value < 0) return 0;
  if (value > 240) return 240;
  return static_cast<int>(value);
}

COLORREF LightenColour(COLORREF colour, double factor) noexcept {
  int const r = GetRValue(colour);
  int const g = GetGValue(colour);
  int const b = GetBValue(colour);
  double const delta = (720 - r - g - b) * factor / 3;
  return RGB(Lighten(r, delta), Lighten(g, delta), Lighten(b, delta));
}

static std::array<COLORREF, 6>& Table() noexcept {
  static std::array<COLORREF, 6> table = {};
  return table;
}

void InitSystemColours() noexcept {
  Table() = {GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
             GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255), GetSysColor(COLOR_WINDOW)};
}

const std::array<COLORREF, 6>& SystemColours() noexcept {
  static bool const filled = (InitSystemColours(), true);
  (void)filled;
  return Table();
}

}  // namespace QOR
