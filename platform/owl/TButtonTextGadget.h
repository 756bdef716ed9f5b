// OWL::TButtonTextGadget: a button gadget showing its glyph, a text, or both, the text on a
// chosen side of the glyph.
#pragma once

#include "platform/owl/TButtonGadget.h"

#include <string>

namespace OWL {

class TButtonTextGadget : public TButtonGadget {
 public:
  enum TStyle { sBitmap = 1, sText = 2, sBitmapText = 3 };
  enum TLayoutStyle { lTextLeft, lTextTop, lTextRight, lTextBottom };
  enum TAlign { aLeft, aCenter, aRight };

  TButtonTextGadget(int id, const TResId& glyph, TStyle style = sBitmapText, TType type = Command,
                    bool enabled = true, TState state = Up, bool sharedGlyph = false,
                    unsigned numChars = 4);

  TStyle GetStyle() const noexcept { return mStyle; }
  void SetStyle(TStyle style);
  TLayoutStyle GetLayoutStyle() const noexcept { return mLayout; }
  TAlign GetAlign() const noexcept { return mAlign; }
  void SetAlign(TAlign align);
  const std::wstring& GetText() const noexcept { return mText; }
  virtual void SetText(const std::wstring& text, bool repaint = true);
  unsigned GetNumChars() const noexcept { return mNumChars; }
  void SetNumChars(unsigned numChars);
  HFONT GetTextFont() const noexcept { return mFont ? mFont : GetFont(); }
  // The room the text wants: its extent, at least the fixed number of characters.
  TSize GetTextSize() const;

  void GetDesiredSize(TSize& size) override;
  void Paint(TDC& dc) override;

 protected:
  // Splits inner (gadget coordinates) into the text's and the glyph's part by the layout.
  virtual void LayoutTextGlyph(const TRect& inner, TRect& textRect, TRect& glyphRect);
  virtual void PaintText(TDC& dc, const TRect& rect, const std::wstring& text);

 private:
  TStyle mStyle;
  TLayoutStyle mLayout = lTextBottom;
  TAlign mAlign = aCenter;
  std::wstring mText;
  unsigned mNumChars;
  HFONT mFont = nullptr;
};

}  // namespace OWL
