// QORControls::StaticTextErrorProvider: a static label that owns an error icon and keeps it
// 5 pixels right of its text, also when the label moves.
#pragma once

#include "controls/ErrorProvider.h"

namespace QORControls {

class StaticTextErrorProvider : public OWL::TStatic {
 public:
  // The icon: an ErrorProvider made at a position rather than from the template.
  class MoveableErrProv : public ErrorProvider {
   public:
    // Id 1, 12 by 12 pixels at (x, y), flags 9.
    MoveableErrProv(OWL::TWindow* parent, int x, int y);
  };

  // The template static id; its icon is made on the same parent at the static's position.
  StaticTextErrorProvider(OWL::TWindow* parent, int id);
  ~StaticTextErrorProvider() override;

  // The text, then the icon beside it.
  void SetText(const wchar_t* text) override;
  void SetError(QOR::String title, bool show, QOR::String text);
  MoveableErrProv& GetIcon() const noexcept { return *mIcon; }
  // Where the icon goes, in the parent's client pixels: right of the text, centred on the
  // label's height, or at the label's top-left corner without a text.
  static POINT IconPosition(const RECT& label, int textWidth, bool hasText, int iconHeight) noexcept;

  void SetupWindow() override;
  void EvMove(const OWL::TPoint& clientOrigin);

 private:
  // True when the icon moved.
  bool PlaceIcon();

  MoveableErrProv* mIcon;

  DECLARE_RESPONSE_TABLE(StaticTextErrorProvider);
};

}  // namespace QORControls
