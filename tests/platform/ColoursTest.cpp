// Lightened colours, the system colour table and the palette choice and lookups.
#include "platform/uihelpers/ColourPalettes.h"
#include "platform/uihelpers/Colours.h"

#include <gtest/gtest.h>

namespace {

class FixedSource : public QOR::PaletteColourSource {
 public:
  bool GetColour(uint16_t index, COLORREF& colour) const override {
    if (index != 3) return false;
    colour = RGB(1, 2, 3);
    return true;
  }
};

}  // namespace

TEST(Colours, LightenTowardGreyAndReadTheSystemColours) {
  EXPECT_EQ(QOR::LightenColour(RGB(0, 0, 0), 1.0), RGB(240, 240, 240));
  EXPECT_EQ(QOR::LightenColour(RGB(255, 255, 255), 1.0), RGB(240, 240, 240));
  // Black at 50/180, as the trace drawer lightens it: 720 * 50 / 180 / 3 = 66.7 each.
  EXPECT_EQ(QOR::LightenColour(RGB(0, 0, 0), 50.0 / 180.0), RGB(66, 66, 66));
  EXPECT_EQ(QOR::LightenColour(RGB(200, 0, 0), 0.0), RGB(200, 0, 0));
  QOR::InitSystemColours();
  EXPECT_EQ(QOR::SystemColours()[QOR::kBtnFace], GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(QOR::SystemColours()[QOR::kWhite], RGB(255, 255, 255));
}

// Both tables hold the same six colours in order.
TEST(Colours, BothSystemColourTablesHoldTheSameSixColours) {
  QOR::InitSystemColours();
  const COLORREF wanted[] = {GetSysColor(COLOR_BTNTEXT),      GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
                             GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255),           GetSysColor(COLOR_WINDOW)};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(QOR::SystemColours()[i], wanted[i]) << i;
    EXPECT_EQ(QOR::ControlSystemColours()[i], wanted[i]) << i;
  }
}

TEST(ColourPalettes, ChoiceFollowsScreenDepthAndCallerKind) {
  QOR::PaletteChoice const eightBit = QOR::ChoosePalette(8, true);
  EXPECT_EQ(eightBit.total, 12);
  EXPECT_EQ(eightBit.cycleLength, 12);
  EXPECT_TRUE(eightBit.basic);
  QOR::PaletteChoice const basic = QOR::ChoosePalette(32, false);
  EXPECT_EQ(basic.total, 20);
  QOR::PaletteChoice const extended = QOR::ChoosePalette(32, true);
  EXPECT_EQ(extended.total, 37);
  EXPECT_EQ(extended.orderLength, 18);
  EXPECT_EQ(extended.cycleLength, 19);
  EXPECT_EQ(extended.cycleStart, 18);
  EXPECT_FALSE(extended.basic);
}

TEST(ColourPalettes, LooksColoursUpByCycleOrderAndSource) {
  // Without a source: the basic palette on this 24-bit screen, cycling every 20 colours.
  EXPECT_EQ(QOR::GetPaletteColour(0), RGB(255, 0, 0));
  EXPECT_EQ(QOR::GetPaletteColour(19), RGB(128, 128, 192));
  EXPECT_EQ(QOR::GetPaletteColour(20), RGB(255, 0, 0));
  EXPECT_EQ(QOR::GetPaletteColourOfAll(21), RGB(0, 0, 255));
  // With a source: its colour when it has one, else the extended cycle from entry 18.
  FixedSource source;
  EXPECT_EQ(QOR::GetPaletteColour(3, &source), RGB(1, 2, 3));
  EXPECT_EQ(QOR::GetPaletteColour(0, &source), RGB(234, 85, 255));
  EXPECT_EQ(QOR::GetPaletteColour(19, &source), RGB(234, 85, 255));
  // The extended order: 0, 10, 5, ... over its first 18 colours.
  EXPECT_EQ(QOR::GetPaletteColourByOrder(1), RGB(0, 64, 255));
  EXPECT_EQ(QOR::GetPaletteColourByOrder(19), RGB(0, 64, 255));
}
