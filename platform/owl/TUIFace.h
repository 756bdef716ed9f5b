// OWL::TUIFace: the face of a classic button: fill and caption, with the etched look of a
// disabled caption.
#pragma once

#include "platform/owl/TColor.h"
#include "platform/owl/TRect.h"

#include <string>

namespace OWL {

class TDC;

class TUIFace {
 public:
  enum TState { Normal, Down, Indeterm, Disabled, Default };

  // fillColor None leaves the background as it is.
  TUIFace(const TRect& face, const std::wstring& text, const TColor& fillColor = TColor::Sys3dFace) noexcept
      : mFace(face), mText(text), mFill(fillColor) {}

  // The caption drawn twice with a transparent background: in hilight one pixel down and
  // right, then in Sys3dShadow in place. The DC's colours and mode are restored.
  static void DrawTextEtched(TDC& dc, const std::wstring& text, const TRect& rect, UINT format,
                             const TColor& hilight = TColor::Sys3dHilight);

 private:
  TRect mFace;
  std::wstring mText;
  TColor mFill;
};

}  // namespace OWL
