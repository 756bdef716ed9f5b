// OWL::TDC and its kinds, pixel by pixel on 32-bit DIB sections: fills, pens, blits, the
// restoring of selected objects and the print-preview mapping.
#include "platform/owl/TDC.h"

#include "platform/owl/TBitmap.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TPen.h"
#include "platform/owl/TPrintPreviewDC.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;   // DIB pixels are 0x00RRGGBB
constexpr uint32_t kBlue = 0x0000FF;

// A white DIB section of w x h selected into a screen-compatible memory DC.
struct Canvas {
  Canvas(int w, int h) : width(w), bitmap(OWL::TBitmap::CreateDIB32(w, h, &bits)), dc(*bitmap) {
    dc.PatBlt(OWL::TRect(0, 0, w, h), WHITENESS);
  }
  uint32_t At(int x, int y) const { return bits[y * width + x] & 0xFFFFFF; }

  int width;
  uint32_t* bits = nullptr;
  std::unique_ptr<OWL::TBitmap> bitmap;
  OWL::TMemoryDC dc;
};

// A printer as far as the preview reads it: 600 dpi, a page of 1200 x 600 pixels (2 x 1 in).
class Printer600 : public OWL::TMemoryDC {
 public:
  int GetDeviceCaps(int index) const noexcept override {
    switch (index) {
      case LOGPIXELSX:
      case LOGPIXELSY: return 600;
      case HORZRES: return 1200;
      case VERTRES: return 600;
      default: return TMemoryDC::GetDeviceCaps(index);
    }
  }
};

}  // namespace

TEST(TDC, FillsRectanglesAndDrawsPenLinesWithExclusiveEnds) {
  Canvas canvas(16, 12);
  canvas.dc.FillRect(OWL::TRect(2, 2, 6, 5), OWL::TBrush(OWL::TColor(255, 0, 0)));
  OWL::TPen pen(OWL::TColor(0, 0, 255));
  canvas.dc.SelectObject(pen);
  canvas.dc.MoveTo(0, 8);
  canvas.dc.LineTo(10, 8);
  canvas.dc.RestorePen();

  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 16; ++x) {
      uint32_t expected = kWhite;
      if (x >= 2 && x < 6 && y >= 2 && y < 5) expected = kRed;
      if (y == 8 && x < 10) expected = kBlue;
      ASSERT_EQ(canvas.At(x, y), expected) << "pixel " << x << "," << y;
    }
  }
}

TEST(TDC, BlitsABitmapAndPutsSelectedObjectsBack) {
  Canvas source(2, 2);
  source.bits[0] = kRed;
  source.bits[3] = kBlue;
  Canvas target(8, 8);
  target.dc.BitBlt(OWL::TRect(5, 5, 7, 7), source.dc, OWL::TPoint(0, 0));
  EXPECT_EQ(target.At(5, 5), kRed);
  EXPECT_EQ(target.At(6, 5), kWhite);
  EXPECT_EQ(target.At(6, 6), kBlue);
  EXPECT_EQ(target.At(4, 4), kWhite);

  HDC const raw = target.dc.GetHDC();
  HGDIOBJ const originalPen = GetCurrentObject(raw, OBJ_PEN);
  HGDIOBJ const originalBrush = GetCurrentObject(raw, OBJ_BRUSH);
  OWL::TPen pen(OWL::TColor(1, 2, 3), 3);
  OWL::TBrush brush(OWL::TColor(4, 5, 6));
  {
    OWL::TDC borrowed(raw);
    borrowed.SelectObject(pen);
    borrowed.SelectObject(brush);
    borrowed.SelectStockObject(NULL_PEN);  // a second pen still restores the first original
    EXPECT_EQ(GetCurrentObject(raw, OBJ_BRUSH), brush.GetGdiHandle());
  }
  EXPECT_EQ(GetCurrentObject(raw, OBJ_PEN), originalPen);
  EXPECT_EQ(GetCurrentObject(raw, OBJ_BRUSH), originalBrush);
}

TEST(TPrintPreviewDC, MapsA600DpiPageOntoA96DpiScreenPage) {
  Canvas screen(200, 100);
  Printer600 printer;
  OWL::TRect const page(0, 0, 192, 96);  // 2 x 1 in at 96 dpi
  {
    OWL::TPrintPreviewDC preview(screen.dc, printer, page, page);
    EXPECT_EQ(preview.GetDeviceCaps(LOGPIXELSY), 600);
    // One inch in from the top left, to the far corner of the page, in printer pixels.
    preview.FillRect(OWL::TRect(600, 300, 1200, 600), OWL::TBrush(OWL::TColor(255, 0, 0)));
    // Beyond the page: clipped away.
    preview.FillRect(OWL::TRect(1200, 0, 1400, 600), OWL::TBrush(OWL::TColor(0, 0, 255)));
  }
  EXPECT_EQ(screen.At(96, 48), kRed);
  EXPECT_EQ(screen.At(191, 95), kRed);
  EXPECT_EQ(screen.At(95, 48), kWhite);
  EXPECT_EQ(screen.At(96, 47), kWhite);
  EXPECT_EQ(screen.At(195, 50), kWhite);

  // A caller's own anisotropic mapping is composed with the page scaling: 100 logical units
  // are the whole page.
  Canvas second(200, 100);
  {
    OWL::TPrintPreviewDC preview(second.dc, printer, page, page);
    preview.SetMapMode(MM_ANISOTROPIC);
    preview.SetWindowExt(OWL::TSize(100, 100));
    preview.SetViewportExt(OWL::TSize(1200, 600));
    EXPECT_EQ(preview.GetWindowExt(), OWL::TSize(100, 100));
    preview.FillRect(OWL::TRect(50, 50, 100, 100), OWL::TBrush(OWL::TColor(255, 0, 0)));
  }
  EXPECT_EQ(second.At(96, 48), kRed);
  EXPECT_EQ(second.At(95, 47), kWhite);
  EXPECT_EQ(GetMapMode(second.dc.GetHDC()), MM_TEXT);  // the screen DC is left as found
}
