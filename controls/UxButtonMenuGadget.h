// QOR::UxButtonMenuGadget: a menu gadget with a caption of its own.
#pragma once

#include "controls/UxMenuGadget.h"

namespace QOR {

class UxButtonMenuGadget : public UxMenuGadget {
 public:
  // A non-empty caption replaces the menu's text; the gadget keeps its width.
  UxButtonMenuGadget(const OWL::TMenu& menu, OWL::TWindow& owner, Gdiplus::GpBitmap* image, int themeKind,
                     TStyle style, TType type, bool enabled, TState state, bool sharedGlyph, unsigned numChars,
                     const wchar_t* caption);
};

}  // namespace QOR
