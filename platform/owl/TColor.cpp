// OWL::TColor: system colour lookup and the named colours.
#include "platform/owl/TColor.h"

namespace OWL {

COLORREF TColor::GetValue() const noexcept {
  if (IsNone()) return CLR_INVALID;
  if (mValue & kSysFlag) return GetSysColor(static_cast<int>(mValue & 0xFFu));
  return mValue;
}

const TColor TColor::None(TColor::kNoneValue, 0);
const TColor TColor::Black(0, 0, 0);
const TColor TColor::White(255, 255, 255);
const TColor TColor::LtGray(192, 192, 192);
const TColor TColor::Gray(128, 128, 128);
const TColor TColor::LtRed(255, 0, 0);
const TColor TColor::LtBlue(0, 0, 255);
const TColor TColor::Sys3dFace = TColor::FromSystem(COLOR_BTNFACE);
const TColor TColor::Sys3dShadow = TColor::FromSystem(COLOR_BTNSHADOW);
const TColor TColor::Sys3dHilight = TColor::FromSystem(COLOR_BTNHIGHLIGHT);
const TColor TColor::Sys3dDkShadow = TColor::FromSystem(COLOR_3DDKSHADOW);
const TColor TColor::Sys3dLight = TColor::FromSystem(COLOR_3DLIGHT);
const TColor TColor::SysBtnText = TColor::FromSystem(COLOR_BTNTEXT);
const TColor TColor::SysGrayText = TColor::FromSystem(COLOR_GRAYTEXT);
const TColor TColor::SysWindow = TColor::FromSystem(COLOR_WINDOW);
const TColor TColor::SysWindowText = TColor::FromSystem(COLOR_WINDOWTEXT);
const TColor TColor::SysWindowFrame = TColor::FromSystem(COLOR_WINDOWFRAME);
const TColor TColor::SysHighlight = TColor::FromSystem(COLOR_HIGHLIGHT);
const TColor TColor::SysHighlightText = TColor::FromSystem(COLOR_HIGHLIGHTTEXT);
const TColor TColor::SysInfoBk = TColor::FromSystem(COLOR_INFOBK);
const TColor TColor::SysInfoText = TColor::FromSystem(COLOR_INFOTEXT);
const TColor TColor::SysHotLight = TColor::FromSystem(COLOR_HOTLIGHT);

}  // namespace OWL
