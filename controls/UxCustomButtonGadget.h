// UxCustomButtonGadget: a sizable button gadget (command id 214) whose face image comes from
// the caller; its themed background has no parent background behind it.
#pragma once

#include "controls/UxSizableButtonGadget.h"

class UxCustomButtonGadget : public UxSizableButtonGadget {
 public:
  // image: owned by the gadget from now on (may be null).
  UxCustomButtonGadget(Gdiplus::GpBitmap* image, int themeKind, TStyle style, TType type, bool enabled,
                       TState state, bool sharedGlyph, unsigned numChars)
      : UxSizableButtonGadget(image, themeKind, style, type, enabled, state, sharedGlyph, numChars) {}

  const wchar_t* GetClassNameText() const noexcept override { return L"UxCustomButtonGadget"; }

 protected:
  void PaintThemedBackground(OWL::TDC& dc, const OWL::TRect& rect) override;
};
