// OWL::TTextGadget: a gadget showing one line of text (a status field, or a spacer when empty).
#pragma once

#include "platform/owl/TGadget.h"

#include <string>

namespace OWL {

class TTextGadget : public TGadget {
 public:
  enum TAlign { Left, Center, Right };

  // numChars: the least width in average characters the gadget wants; a longer text widens it.
  TTextGadget(int id = 0, TBorderStyle borderStyle = Recessed, TAlign align = Left,
              unsigned numChars = 10, const wchar_t* text = nullptr);

  const std::wstring& GetText() const noexcept { return mText; }
  // Repaints; a gadget that shrink-wraps its width is laid out again.
  void SetText(const wchar_t* text);
  TAlign GetAlign() const noexcept { return mAlign; }

  void GetDesiredSize(TSize& size) override;
  void Paint(TDC& dc) override;

 private:
  std::wstring mText;
  TAlign mAlign;
  unsigned mNumChars;
};

}  // namespace OWL
