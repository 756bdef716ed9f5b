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

// Table 0 for the trace drawing, table 1 for the controls.
static std::array<COLORREF, 6>& Table(int which) noexcept {
  static std::array<COLORREF, 6> tables[2] = {};
  return tables[which];
}

void InitSystemColours() noexcept {
  Table(0) = {GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
              GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255), GetSysColor(COLOR_WINDOW)};
  Table(1) = Table(0);
}

static const std::array<COLORREF, 6>& Filled(int which) noexcept {
  static bool const filled = (InitSystemColours(), true);
  (void)filled;
  return Table(which);
}

const std::array<COLORREF, 6>& SystemColours() noexcept { return Filled(0); }

const std::array<COLORREF, 6>& ControlSystemColours() noexcept { return Filled(1); }

}  // namespace QOR
