// Cache bitmaps, the label font and the contrast adjustment.
#include "drawing/DrawingServices.h"

#include "platform/owl/TFont.h"
#include "platform/owl/TScreenDC.h"
#include "platform/uihelpers/DialogFonts.h"
#include "platform/uihelpers/ScreenBitMapDC.h"

#include <algorithm>

namespace ScrivoDraw {

QOR::ScreenBitMapDC* CreateScreenBitmapDC(int width, int height) noexcept {
  try {
    return new QOR::ScreenBitMapDC(width, height);
  } catch (...) {
    return nullptr;
  }
}

OWL::TFont* CreateScreenLabelFont() {
  OWL::TScreenDC screen;
  return QOR::CreateDialogFont(screen, QOR::UserInterfacePointSize());
}

COLORREF ContrastAdjust(COLORREF colour, COLORREF background) noexcept {
  if (background != RGB(0, 0, 0)) return colour;
  const int red = GetRValue(colour);
  const int green = GetGValue(colour);
  const int blue = GetBValue(colour);
  const int sum = red + green + blue;
  // Single precision as the trace colours have always been computed: grey 128 lands on 127.
  const float factor = (static_cast<float>(765 - 2 * sum) / 255.0f) / 3.0f;
  const int delta = static_cast<int>(255.0f * factor);
  auto shift = [delta](int channel) { return static_cast<BYTE>(std::clamp(channel + delta, 0, 255)); };
  return RGB(shift(red), shift(green), shift(blue));
}

}  // namespace ScrivoDraw
