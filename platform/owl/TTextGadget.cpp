// OWL::TTextGadget: size and painting of a text gadget.
#include "platform/owl/TTextGadget.h"

#include "platform/owl/TDC.h"
#include "platform/owl/TGadgetWindow.h"
#include "platform/owl/TScreenDC.h"

#include <algorithm>

namespace OWL {

TTextGadget::TTextGadget(int id, TBorderStyle borderStyle, TAlign align, unsigned numChars, const wchar_t* text)
    : TGadget(id, borderStyle), mText(text ? text : L""), mAlign(align), mNumChars(numChars) {
  SetShrinkWrap(true, true);
}

void TTextGadget::SetText(const wchar_t* text) {
  std::wstring const value = text ? text : L"";
  if (value == mText) return;
  mText = value;
  if (GetGadgetWindow() && GetShrinkWrapWidth()) GetGadgetWindow()->GadgetChangedSize(*this);
  Invalidate();
}

void TTextGadget::GetDesiredSize(TSize& size) {
  TGadget::GetDesiredSize(size);
  TScreenDC dc;
  HGDIOBJ const old = ::SelectObject(dc, GetFont());
  TEXTMETRICW metrics{};
  dc.GetTextMetrics(metrics);
  TSize const extent = mText.empty() ? TSize(0, 0) : dc.GetTextExtent(mText.c_str());
  ::SelectObject(dc, old);
  size.cx += std::max(static_cast<int>(mNumChars * metrics.tmAveCharWidth), static_cast<int>(extent.cx));
  size.cy += metrics.tmHeight;
}

void TTextGadget::Paint(TDC& dc) {
  PaintBorder(dc);
  TRect inner = GetInnerRect();
  static constexpr UINT kAlign[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  HGDIOBJ const old = ::SelectObject(dc, GetFont());
  int const mode = dc.SetBkMode(TRANSPARENT);
  COLORREF const color = ::SetTextColor(dc, GetSysColor(GetEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  dc.DrawText(mText.c_str(), -1, inner, kAlign[mAlign] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  ::SetTextColor(dc, color);
  dc.SetBkMode(mode);
  ::SelectObject(dc, old);
}

}  // namespace OWL
