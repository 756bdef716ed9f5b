// OWL::TUIFace: face fill and caption painting.
#include "platform/owl/TUIFace.h"

#include "platform/owl/TBrush.h"
#include "platform/owl/TDC.h"

namespace OWL {

void TUIFace::DrawTextEtched(TDC& dc, const std::wstring& text, const TRect& rect, UINT format,
                             const TColor& hilight) {
  int const oldMode = dc.SetBkMode(TRANSPARENT);
  TColor const oldColor = dc.SetTextColor(hilight);
  TRect shifted = rect.OffsetBy(1, 1);
  dc.DrawText(text.c_str(), static_cast<int>(text.size()), shifted, format);
  dc.SetTextColor(TColor::Sys3dShadow);
  TRect inPlace = rect;
  dc.DrawText(text.c_str(), static_cast<int>(text.size()), inPlace, format);
  dc.SetTextColor(oldColor);
  dc.SetBkMode(oldMode);
}

}  // namespace OWL
