// OWL::TUIBorder: a classic three-dimensional border drawn with the system colours, and the
// rectangle it leaves inside.
#pragma once

#include "platform/owl/TRect.h"

namespace OWL {

class TDC;

class TUIBorder {
 public:
  enum TStyle {
    None, Plain, Raised, Recessed, Embossed, Grooved, ButtonUp, ButtonDn, WndRaised,
    WndRecessed, WellSet,
  };

  TUIBorder(const TRect& frame, TStyle style) noexcept : mFrame(frame), mStyle(style) {}

  // Draws the border; the inside is left untouched.
  void Paint(TDC& dc) const;
  // The frame less the border's width on every side.
  TRect GetClientRect() const noexcept;
  // Pixels the style takes from each side (0, 1 or 2).
  static int GetWidth(TStyle style) noexcept;

 private:
  TRect mFrame;
  TStyle mStyle;
};

}  // namespace OWL
