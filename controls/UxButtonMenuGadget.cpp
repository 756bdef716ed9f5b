// QOR::UxButtonMenuGadget: its caption.
#include "controls/UxButtonMenuGadget.h"

namespace QOR {

UxButtonMenuGadget::UxButtonMenuGadget(const OWL::TMenu& menu, OWL::TWindow& owner, Gdiplus::GpBitmap* image,
                                       int themeKind, TStyle style, TType type, bool enabled, TState state,
                                       bool sharedGlyph, unsigned numChars, const wchar_t* caption)
    : UxMenuGadget(menu, owner, image, themeKind, style, type, enabled, state, sharedGlyph, numChars) {
  if (caption && *caption) {
    SetText(caption);
    Invalidate();
  }
  SetShrinkWrap(false, true);
}

}  // namespace QOR
