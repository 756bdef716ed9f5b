// OWL::TGlyphButton painted into a DIB section (glyph placement, transparency, pressed
// offset), its click reaching the parent, and the UI part painters it builds on.
#include "platform/owl/TGlyphButton.h"

#include "platform/owl/TBtnBitmap.h"
#include "platform/owl/TCelArray.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TUIBorder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace {

uint32_t Pixel(COLORREF c) {
  return static_cast<uint32_t>(GetRValue(c)) << 16 | static_cast<uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
}

// A w x h DIB section; Fill sets every pixel.
struct Dib {
  Dib(int w, int h) : width(w), height(h), bitmap(OWL::TBitmap::CreateDIB32(w, h, &bits)) {}
  void Fill(uint32_t value) {
    for (int i = 0; i < width * height; ++i) bits[i] = value;
  }
  uint32_t At(int x, int y) const { return bits[y * width + x] & 0xFFFFFF; }
  int width;
  int height;
  uint32_t* bits = nullptr;
  std::unique_ptr<OWL::TBitmap> bitmap;
};

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kKey = 0x00FF00;  // the glyph's transparent colour (its top-left pixel)

// A 4 x 4 glyph: red with a transparent top row.
OWL::TBitmap* RedGlyph() {
  Dib glyph(4, 4);
  glyph.Fill(kRed);
  for (int x = 0; x < 4; ++x) glyph.bits[x] = kKey;
  return glyph.bitmap.release();
}

class ClickCounter : public OWL::TWindow {
 public:
  ClickCounter() : TWindow(nullptr, L"clicks") {}
  int Clicks = 0;

 private:
  void BnClicked() { ++Clicks; }
  DECLARE_RESPONSE_TABLE(ClickCounter);
};

DEFINE_RESPONSE_TABLE1(ClickCounter, OWL::TWindow)
  EV_BN_CLICKED(9, BnClicked),
END_RESPONSE_TABLE;

}  // namespace

TEST(TGlyphButton, PaintsItsGlyphCentredTransparentAndPressedOffset) {
  OWL::TGlyphButton button(nullptr, 9, L"", 0, 0, 40, 20);
  button.SetGlyph(RedGlyph());
  uint32_t const face = Pixel(GetSysColor(COLOR_BTNFACE));

  Dib canvas(40, 20);
  OWL::TMemoryDC dc(*canvas.bitmap);
  button.PaintButton(dc, OWL::TRect(0, 0, 40, 20));
  // 40 x 20 less a 2-pixel border leaves a 36 x 16 face at (2, 2); the glyph sits at (18, 8).
  EXPECT_EQ(canvas.At(18, 8), face);  // transparent row
  EXPECT_EQ(canvas.At(18, 9), kRed);
  EXPECT_EQ(canvas.At(21, 11), kRed);
  EXPECT_EQ(canvas.At(22, 11), face);
  EXPECT_EQ(canvas.At(17, 9), face);

  button.SendMessage(BM_SETSTATE, TRUE);  // no window: nothing happens
  EXPECT_FALSE(button.IsSet(OWL::TGlyphButton::bsPressed));
}

TEST(TGlyphButton, PressedStateMovesTheGlyphAndAClickReachesTheParent) {
  ClickCounter parent;
  auto* button = new OWL::TGlyphButton(&parent, 9, L"&Help", 0, 0, 40, 20);
  button->SetGlyph(RedGlyph());
  parent.Create();
  button->SendMessage(BM_SETSTATE, TRUE);
  EXPECT_TRUE(button->IsSet(OWL::TGlyphButton::bsPressed));
  button->SetWindowText(L"");  // glyph only, so its place is known

  Dib canvas(40, 20);
  OWL::TMemoryDC dc(*canvas.bitmap);
  button->PaintButton(dc, button->GetClientRect());
  EXPECT_EQ(canvas.At(19, 10), kRed);
  EXPECT_EQ(canvas.At(18, 9), Pixel(GetSysColor(COLOR_BTNFACE)));

  button->SendMessage(BM_CLICK);
  button->SendMessage(WM_KEYDOWN, VK_SPACE);
  button->SendMessage(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(parent.Clicks, 2);
  EXPECT_EQ(button->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON, static_cast<LRESULT>(DLGC_BUTTON));
}

TEST(TUIBorder, ButtonBordersTakeTwoPixelsAndUseTheSystemColours) {
  Dib canvas(10, 10);
  canvas.Fill(0x123456);
  OWL::TMemoryDC dc(*canvas.bitmap);
  OWL::TUIBorder const border(OWL::TRect(0, 0, 10, 10), OWL::TUIBorder::ButtonUp);
  border.Paint(dc);
  EXPECT_EQ(border.GetClientRect(), OWL::TRect(2, 2, 8, 8));
  EXPECT_EQ(canvas.At(9, 9), Pixel(GetSysColor(COLOR_3DDKSHADOW)));
  EXPECT_EQ(canvas.At(5, 5), 0x123456u);  // the inside is left alone
}

TEST(TBtnBitmap, TakesTheSystemFaceColourForItsGreyBackground) {
  Dib source(3, 1);
  source.bits[0] = 0xC0C0C0;
  source.bits[1] = kRed;
  source.bits[2] = 0xC0C0C0;
  OWL::TBtnBitmap glyph(source.bitmap->GetHandle());
  Dib canvas(3, 1);
  OWL::TMemoryDC target(*canvas.bitmap);
  OWL::TMemoryDC from(glyph);
  target.BitBlt(OWL::TRect(0, 0, 3, 1), from, OWL::TPoint(0, 0));
  EXPECT_EQ(canvas.At(0, 0), Pixel(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(canvas.At(1, 0), kRed);
  EXPECT_EQ(canvas.At(2, 0), Pixel(GetSysColor(COLOR_BTNFACE)));
}

TEST(TCelArray, CopiesCelsInAndOutByIndex) {
  OWL::TCelArray cels(OWL::TSize(2, 2), 3);
  Dib blue(2, 2);
  blue.Fill(0x0000FF);
  cels.SetCel(2, *blue.bitmap);
  EXPECT_EQ(cels.CelRect(2), OWL::TRect(4, 0, 6, 2));
  Dib canvas(4, 4);
  canvas.Fill(0);
  OWL::TMemoryDC dc(*canvas.bitmap);
  cels.BitBlt(2, dc, 1, 1);
  EXPECT_EQ(canvas.At(1, 1), 0x0000FFu);
  EXPECT_EQ(canvas.At(2, 2), 0x0000FFu);
  EXPECT_EQ(canvas.At(3, 3), 0u);
}
