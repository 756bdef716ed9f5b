// OWL::TColor: an RGB colour, a system colour resolved when it is used, or "none".
#pragma once

#include <windows.h>

#include <cstdint>

namespace OWL {

// A system colour keeps its COLOR_* index and is looked up with GetSysColor each time its
// value is asked for, so it follows the user's scheme. None means "do not draw / no colour".
class TColor {
 public:
  constexpr TColor() noexcept : mValue(0) {}
  constexpr TColor(COLORREF value) noexcept : mValue(value & 0x00FFFFFFu) {}
  constexpr TColor(int r, int g, int b) noexcept
      : mValue(static_cast<uint32_t>(r & 0xFF) | static_cast<uint32_t>(g & 0xFF) << 8 |
               static_cast<uint32_t>(b & 0xFF) << 16) {}
  static constexpr TColor FromSystem(int colorIndex) noexcept {
    return TColor(kSysFlag | static_cast<uint32_t>(colorIndex), 0);
  }

  constexpr bool IsNone() const noexcept { return mValue == kNoneValue; }
  // The COLORREF to hand to GDI (a system colour looked up now; none gives CLR_INVALID).
  COLORREF GetValue() const noexcept;
  operator COLORREF() const noexcept { return GetValue(); }
  int Red() const noexcept { return GetRValue(GetValue()); }
  // Identity of the description: a system colour equals only the same system colour.
  constexpr bool operator==(const TColor& o) const noexcept { return mValue == o.mValue; }
  constexpr bool operator!=(const TColor& o) const noexcept { return mValue != o.mValue; }

  static const TColor None;
  static const TColor Black;
  static const TColor White;
  static const TColor LtGray;
  static const TColor Gray;
  static const TColor LtRed;
  static const TColor LtBlue;
  static const TColor Sys3dFace;
  static const TColor Sys3dShadow;
  static const TColor Sys3dHilight;
  static const TColor Sys3dDkShadow;
  static const TColor Sys3dLight;
  static const TColor SysBtnText;
  static const TColor SysGrayText;
  static const TColor SysWindow;
  static const TColor SysWindowText;
  static const TColor SysWindowFrame;
  static const TColor SysHighlight;
  static const TColor SysHighlightText;
  static const TColor SysInfoBk;
  static const TColor SysInfoText;
  static const TColor SysHotLight;

 private:
  static constexpr uint32_t kSysFlag = 0x80000000u;
  static constexpr uint32_t kNoneValue = 0xFF000000u;
  constexpr TColor(uint32_t raw, int) noexcept : mValue(raw) {}

  uint32_t mValue;
};

}  // namespace OWL
