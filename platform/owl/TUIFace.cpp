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

void TUIFace::Paint(TDC& dc, TState state, bool pressed, UINT format) const {
  if (!mFill.IsNone()) dc.FillRect(mFace, TBrush(mFill));
  TRect textRect = pressed ? mFace.OffsetBy(1, 1) : mFace;
  if (state == Disabled) {
    DrawTextEtched(dc, mText, textRect, format);
    return;
  }
  int const oldMode = dc.SetBkMode(TRANSPARENT);
  TColor const oldColor = dc.SetTextColor(TColor::SysBtnText);
  dc.DrawText(mText.c_str(), static_cast<int>(mText.size()), textRect, format);
  dc.SetTextColor(oldColor);
  dc.SetBkMode(oldMode);
}

}  // namespace OWL
