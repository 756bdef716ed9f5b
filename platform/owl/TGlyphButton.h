// OWL::TGlyphButton: a push button that paints itself: a glyph bitmap (normal, pushed and
// disabled cels) beside its caption, with classic borders. Its painting is split into
// overridable steps so that a derived button can draw themed or flat.
#pragma once

#include "platform/owl/TButton.h"
#include "platform/owl/TCelArray.h"

#include <memory>

namespace OWL {

class TBitmap;
class TDC;

class TGlyphButton : public TButton {
 public:
  // The glyphs a button may hold; the cel array keeps them in this order.
  enum TGlyphKind { gkNormal = 0, gkPushed = 1, gkDisabled = 2 };
  // State bits (GetButtonState).
  enum : UINT {
    bsPressed = 0x1,
    bsFocus = 0x2,
    bsDefault = 0x4,
    bsDisabled = 0x8,
    bsShowText = 0x10,
    bsShowGlyph = 0x20,
    bsPushedGlyph = 0x100,
    bsDisabledGlyph = 0x200,
  };

  // glyphType: a number the owner keeps with the button (the kind of built-in glyph it stands
  // for); the picture itself always comes from SetGlyph.
  TGlyphButton(TWindow* parent, int id, const wchar_t* text, int x, int y, int w, int h,
               int glyphType = 0, bool isDefault = false, TModule* module = nullptr);
  TGlyphButton(TWindow* parent, int resourceId, int glyphType = 0, TModule* module = nullptr);
  ~TGlyphButton() override;

  // Takes ownership of bitmap (null removes the glyph of that kind).
  void SetGlyph(TBitmap* bitmap, TGlyphKind kind = gkNormal);
  UINT GetButtonState() const noexcept { return mState; }
  bool IsSet(UINT bits) const noexcept { return (mState & bits) != 0; }

  // Painting: Paint runs PaintButton over the client rectangle, which runs PaintDefaultRect
  // and PaintFrame (each shrinking the rectangle) and then PaintFace (fill, glyph, caption and,
  // with the focus, PaintFocusRect). Every step works on a memory DC without a window.
  void Paint(TDC& dc, bool erase, TRect& rect) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  // Places the glyph left of the caption, the pair centred in face; rectangles come in at
  // (0, 0) with their sizes (empty when absent).
  virtual void LayoutTextGlyph(const TRect& face, TRect& textRect, TRect& glyphRect);
  virtual void PaintFrame(TDC& dc, TRect& rect);
  virtual void PaintDefaultRect(TDC& dc, TRect& rect);
  virtual void PaintButton(TDC& dc, const TRect& rect);
  virtual void PaintFocusRect(TDC& dc, const TRect& face);
  virtual void BuildCelArray();
  virtual void PaintFace(TDC& dc, const TRect& face);

  void SetupWindow() override;

  // Mouse, keyboard and button messages: the button tracks its own pressed look and sends
  // BN_CLICKED to its parent; the system button procedure never paints it.
  void EvLButtonDown(UINT modKeys, const TPoint& point);
  void EvLButtonUp(UINT modKeys, const TPoint& point);
  void EvMouseMove(UINT modKeys, const TPoint& point);
  void EvKeyDown(UINT key, UINT repeatCount, UINT flags);
  void EvKeyUp(UINT key, UINT repeatCount, UINT flags);
  void EvSetFocus(HWND lostFocus);
  void EvKillFocus(HWND getsFocus);
  void EvEnable(bool enabled);
  bool EvEraseBkgnd(HDC dc);
  UINT EvGetDlgCode(const MSG* msg);

 protected:
  const TCelArray* GetCelArray() const noexcept { return mCels.get(); }
  // The caption (without the handle: Title) and the font to draw it with.
  std::wstring GetCaption() const;
  HFONT GetCaptionFont() const noexcept;
  void SetState(UINT bits, bool on) noexcept;
  // Sends WM_COMMAND BN_CLICKED to the parent.
  void NotifyClicked() noexcept;

 private:
  LRESULT BmSetState(WPARAM pushed, LPARAM);
  LRESULT BmGetState(WPARAM, LPARAM);
  LRESULT BmSetStyle(WPARAM style, LPARAM redraw);
  LRESULT BmClick(WPARAM, LPARAM);
  LRESULT SetTextMessage(WPARAM, LPARAM text);

  int mGlyphType;
  UINT mState = bsShowText | bsShowGlyph;
  std::unique_ptr<TBitmap> mGlyphs[3];
  std::unique_ptr<TCelArray> mCels;
  bool mCelsDirty = false;

  DECLARE_RESPONSE_TABLE(TGlyphButton);
};

}  // namespace OWL
