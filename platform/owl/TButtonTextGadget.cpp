// OWL::TButtonTextGadget: sizes, layout and painting of a glyph-and-text button gadget.
#include "platform/owl/TButtonTextGadget.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TGadgetWindow.h"
#include "platform/owl/TScreenDC.h"

#include <algorithm>

namespace OWL {

TButtonTextGadget::TButtonTextGadget(int id, const TResId& glyph, TStyle style, TType type, bool enabled,
                                     TState state, bool sharedGlyph, unsigned numChars)
    : TButtonGadget(glyph, id, type, enabled, state, sharedGlyph), mStyle(style), mNumChars(numChars) {}

static void Relayout(TGadget& gadget) {
  if (gadget.GetGadgetWindow()) gadget.GetGadgetWindow()->GadgetChangedSize(gadget);
}

void TButtonTextGadget::SetStyle(TStyle style) {
  mStyle = style;
  Relayout(*this);
}

void TButtonTextGadget::SetAlign(TAlign align) {
  mAlign = align;
  Invalidate();
}

void TButtonTextGadget::SetText(const std::wstring& text, bool repaint) {
  if (text == mText) return;
  mText = text;
  if (repaint) Relayout(*this);
}

void TButtonTextGadget::SetNumChars(unsigned numChars) {
  mNumChars = numChars;
  Relayout(*this);
}

TSize TButtonTextGadget::GetTextSize() const {
  TScreenDC dc;
  HGDIOBJ const old = ::SelectObject(dc, GetTextFont());
  TEXTMETRICW metrics{};
  dc.GetTextMetrics(metrics);
  TSize size = mText.empty() ? TSize(0, metrics.tmHeight) : dc.GetTextExtent(mText.c_str());
  ::SelectObject(dc, old);
  size.cx = std::max(size.cx, static_cast<LONG>(mNumChars) * metrics.tmAveCharWidth);
  size.cy = std::max(size.cy, metrics.tmHeight);
  return size;
}

void TButtonTextGadget::GetDesiredSize(TSize& size) {
  if (mStyle & sBitmap) TButtonGadget::GetDesiredSize(size);
  else TGadget::GetDesiredSize(size);
  if (!(mStyle & sText)) return;
  TSize const text = GetTextSize();
  int const border = 2 * BorderWidth();
  if (!(mStyle & sBitmap)) {
    size.cx += text.cx;
    size.cy += text.cy;
  } else if (mLayout == lTextLeft || mLayout == lTextRight) {
    size.cx += text.cx;
    size.cy = std::max(size.cy, text.cy + border);
  } else {
    size.cy += text.cy;
    size.cx = std::max(size.cx, text.cx + border);
  }
}

void TButtonTextGadget::LayoutTextGlyph(const TRect& inner, TRect& textRect, TRect& glyphRect) {
  textRect = glyphRect = inner;
  if (mStyle != sBitmapText) return;
  TSize const text = GetTextSize();
  switch (mLayout) {
    case lTextLeft:
      textRect.right = std::min(inner.right, inner.left + static_cast<int>(text.cx));
      glyphRect.left = textRect.right;
      break;
    case lTextRight:
      textRect.left = std::max(inner.left, inner.right - static_cast<int>(text.cx));
      glyphRect.right = textRect.left;
      break;
    case lTextTop:
      textRect.bottom = std::min(inner.bottom, inner.top + static_cast<int>(text.cy));
      glyphRect.top = textRect.bottom;
      break;
    case lTextBottom:
      textRect.top = std::max(inner.top, inner.bottom - static_cast<int>(text.cy));
      glyphRect.bottom = textRect.top;
      break;
  }
}

void TButtonTextGadget::Paint(TDC& dc) {
  PaintBorder(dc);
  TRect textRect;
  TRect glyphRect;
  LayoutTextGlyph(GetInnerRect(), textRect, glyphRect);
  if (mStyle & sText) PaintText(dc, textRect, mText);
  if (mStyle & sBitmap) PaintFace(dc, glyphRect);
}

void TButtonTextGadget::PaintText(TDC& dc, const TRect& rect, const std::wstring& text) {
  static constexpr UINT kAlign[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  HGDIOBJ const old = ::SelectObject(dc, GetTextFont());
  int const mode = dc.SetBkMode(TRANSPARENT);
  COLORREF const color = ::SetTextColor(dc, GetSysColor(GetEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  TRect r = rect;
  dc.DrawText(text.c_str(), -1, r, kAlign[mAlign] | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  ::SetTextColor(dc, color);
  dc.SetBkMode(mode);
  ::SelectObject(dc, old);
}

}  // namespace OWL
