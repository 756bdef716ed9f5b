// QOR::Popup: the plain hover tip: a non-activating bordered popup that shows a text wrapped at
// 300 pixels on a pale yellow background, kept inside the work area of its monitor.
#pragma once

#include "base/String.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TPoint.h"
#include "platform/owl/TWindow.h"

#include <memory>

namespace QOR {

class Popup : public OWL::TWindow {
 public:
  // The tip's background, also used by its painting.
  static constexpr COLORREF kBackground = RGB(255, 255, 225);
  // Where hover tips go relative to the cursor.
  static constexpr int kCursorOffsetX = -3;
  static constexpr int kCursorOffsetY = 19;

  // Creates the tip with its top-left corner near position (screen pixels, moved by (2, 2)) and
  // shows it while the host application is visible; parent owns the popup window but not this
  // object.
  Popup(const OWL::TPoint& position, OWL::TWindow* parent, const String& text);
  ~Popup() override;

  const String& GetText() const noexcept { return mText; }
  // The window's size for text: the text wrapped at 300 pixels, plus 5 by 2.
  static SIZE MeasureText(HFONT font, const wchar_t* text);
  // Where a window of size goes for position in a work area: at least 10 pixels left of its
  // right edge, and above the position (3 pixels higher) when it would pass its bottom.
  static POINT PlaceInWorkArea(POINT position, SIZE size, const RECT& workArea) noexcept;

  bool Create() override;
  void SetupWindow() override;
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;
  const wchar_t* GetClassName() override { return L"QOR::Popup"; }
  void GetWindowClass(WNDCLASSEXW& windowClass) override;

 private:
  String mText;
  std::unique_ptr<OWL::TFont> mFont;
  POINT mPosition;
};

// Shows a hover tip for text at the cursor, replacing (and deleting) the one in tip.
void ShowTipAtCursor(std::unique_ptr<Popup>& tip, OWL::TWindow* parent, const String& text);

}  // namespace QOR
