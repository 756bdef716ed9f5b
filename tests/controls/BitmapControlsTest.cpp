// The bitmap group box and the bitmap window: caption padding and layout arithmetic, then
// their drawing into 32-bit DIBs.
#include "controls/BitmapControls.h"

#include "platform/owl/TDialog.h"
#include "platform/owl/TModule.h"
#include "tests/support/DialogTemplate.h"

#include <gtest/gtest.h>

using namespace QORControls;

namespace {

constexpr int kGroupId = 200;
constexpr int kFaceBitmap = 106;  // 8 by 8 with a white key border, in the test resources

TEST(BitmapGroupBoxCaption, PaddingCountsBlanksUntilWideEnoughAndAlwaysStops) {
  auto const fourEach = [](const std::wstring& text, SIZE& size) {
    size.cx = 4 * static_cast<LONG>(text.size());
    return true;
  };
  EXPECT_EQ(CountPaddingBlanks(fourEach, 11), 3);
  EXPECT_EQ(CountPaddingBlanks(fourEach, 0), 0);
  auto const noWidth = [](const std::wstring&, SIZE& size) {
    size.cx = 0;
    return true;
  };
  EXPECT_EQ(CountPaddingBlanks(noWidth, 11), 64);
  auto const failing = [](const std::wstring&, SIZE&) { return false; };
  EXPECT_EQ(CountPaddingBlanks(failing, 11), 0);
  EXPECT_EQ(TrimCaption(L"  Peaks \t"), L"Peaks");
  EXPECT_EQ(TrimCaption(L"   "), L"");
}

TEST(BitmapWindowLayout, PlacementsPutTheBitmapInTheRectangle) {
  RECT const box{0, 0, 20, 10};
  BitmapLayout const centredBig = LayOutBitmap(2, SIZE{40, 30}, box);
  EXPECT_EQ(centredBig.Source.x, 10);
  EXPECT_EQ(centredBig.Source.y, 10);
  EXPECT_EQ(centredBig.Rect.left, 0);
  BitmapLayout const centredSmall = LayOutBitmap(2, SIZE{10, 4}, box);
  EXPECT_EQ(centredSmall.Rect.left, 5);
  EXPECT_EQ(centredSmall.Rect.top, 3);
  BitmapLayout const bottomTall = LayOutBitmap(1, SIZE{10, 16}, box);
  EXPECT_EQ(bottomTall.Source.y, 6);
  BitmapLayout const bottomShort = LayOutBitmap(1, SIZE{10, 4}, box);
  EXPECT_EQ(bottomShort.Rect.top, 6);
  BitmapLayout const sized = LayOutBitmap(3, SIZE{7, 5}, box);
  EXPECT_EQ(sized.Rect.right, 7);
  EXPECT_EQ(sized.Rect.bottom, 5);
}

// A DIB of w by h filled with colour, selected into a memory DC.
struct Canvas {
  Canvas(int w, int h, COLORREF colour) {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    Dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Dc = CreateCompatibleDC(nullptr);
    Old = SelectObject(Dc, Dib);
    HBRUSH const brush = CreateSolidBrush(colour);
    RECT const all{0, 0, w, h};
    FillRect(Dc, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    SelectObject(Dc, Old);
    DeleteDC(Dc);
    DeleteObject(Dib);
  }
  HBITMAP Dib;
  HDC Dc;
  HGDIOBJ Old;
};

std::vector<uint8_t> ControlsTemplate() {
  DialogTemplate t(L"Bitmaps", 160, 120, WS_POPUP | WS_VISIBLE);
  t.Item(DialogTemplate::kButton, kGroupId, L"  Peaks ", 5, 5, 120, 40, BS_GROUPBOX)
      .Item(DialogTemplate::kStatic, BitmapWindow::kControlId, L"", 5, 60, 20, 20, SS_LEFT);
  return t.Bytes();
}

class BitmapDialog : public OWL::TDialog {
 public:
  BitmapDialog(OWL::TBitmap* picture, int placement) : BitmapDialog(ControlsTemplate(), picture, placement) {}
  TBitmapGroupBox* Group;
  BitmapWindow* Picture;

 private:
  BitmapDialog(const std::vector<uint8_t>& bytes, OWL::TBitmap* picture, int placement)
      : TDialog(nullptr, bytes.data(), bytes.size()) {
    Group = new TBitmapGroupBox(this, kGroupId, kFaceBitmap);
    Picture = new BitmapWindow(this, picture);
    Picture->SetPlacement(placement);
  }
};

TEST(TBitmapGroupBox, PadsTheTrimmedCaptionAndDrawsTheBitmapWithItsKeyTransparent) {
  BitmapDialog dialog(nullptr, 0);
  dialog.Create();
  TBitmapGroupBox& group = *dialog.Group;
  ASSERT_TRUE(group.HasBitmap());
  EXPECT_GT(group.GetPaddingCount(), 0);
  EXPECT_EQ(group.GetWindowText(), L"Peaks" + std::wstring(static_cast<size_t>(group.GetPaddingCount()), L' '));
  POINT const at = group.BitmapPosition();
  EXPECT_GT(at.x, 12);

  OWL::TBitmap face(OWL::TModule::CodeInstance(), kFaceBitmap);
  HDC const source = CreateCompatibleDC(nullptr);
  HGDIOBJ const old = SelectObject(source, face.GetHandle());
  COLORREF const key = GetPixel(source, 0, 0);
  COLORREF const backdrop = RGB(1, 2, 3);
  Canvas canvas(at.x + 20, at.y + 20, backdrop);
  group.PaintBitmap(canvas.Dc);
  int opaque = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      COLORREF const want = GetPixel(source, x, y);
      COLORREF const got = GetPixel(canvas.Dc, at.x + x, at.y + y);
      EXPECT_EQ(got, want == key ? backdrop : want) << x << "," << y;
      opaque += want != key;
    }
  }
  EXPECT_GT(opaque, 0);
  SelectObject(source, old);
  DeleteDC(source);
  dialog.Destroy();
}

TEST(BitmapWindow, CentredPlacementOfALargerBitmapShowsItsCentre) {
  uint32_t* bits = nullptr;
  OWL::TBitmap* picture = OWL::TBitmap::CreateDIB32(200, 200, &bits);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) bits[y * 200 + x] = static_cast<uint32_t>((x << 8) | y | 0x800000);
  BitmapDialog dialog(picture, 2);
  dialog.Create();
  RECT const rect = dialog.Picture->GetPlacementRect();
  int const w = rect.right;
  int const h = rect.bottom;
  ASSERT_GT(w, 0);
  Canvas canvas(w, h, RGB(1, 2, 3));
  RECT const all{0, 0, w, h};
  dialog.Picture->PaintBitmap(canvas.Dc, all);
  int const sx = (200 - w) / 2;
  int const sy = (200 - h) / 2;
  // The DIB's 0x00RRGGBB is COLORREF 0x00BBGGRR.
  EXPECT_EQ(GetPixel(canvas.Dc, 0, 0), RGB(0x80, sx, sy));
  EXPECT_EQ(GetPixel(canvas.Dc, w - 1, h - 1), RGB(0x80, sx + w - 1, sy + h - 1));
  dialog.Destroy();
}

}  // namespace
