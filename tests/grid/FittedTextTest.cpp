// Cutting cell and heading text to a width with an ellipsis.
#include "grid/FittedText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class FittedTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mDc = CreateCompatibleDC(nullptr);
    mOld = SelectObject(mDc, GetStockObject(DEFAULT_GUI_FONT));
  }
  void TearDown() override {
    SelectObject(mDc, mOld);
    DeleteDC(mDc);
  }
  int Width(const std::wstring& text) const {
    SIZE size{};
    GetTextExtentPoint32W(mDc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  std::wstring Fit(const std::wstring& text, int width) const {
    return TVF_Grid::FitText(mDc, text.c_str(), static_cast<int>(text.size()), width);
  }
  HDC mDc = nullptr;
  HGDIOBJ mOld = nullptr;
};

TEST_F(FittedTextTest, TextThatFitsStaysAndCutTextEndsInAnEllipsis) {
  const std::wstring value = L"-0.09313";
  EXPECT_EQ(value, Fit(value, Width(value)));
  EXPECT_EQ(L"", Fit(L"", 0));
  // One pixel short of the whole value down to nothing: never half a character.
  for (int width = Width(value) - 1; width >= 0; --width) {
    const std::wstring shown = Fit(value, width);
    EXPECT_LE(Width(shown), width) << width;
    if (shown.size() <= 3) {
      EXPECT_EQ(std::wstring(L"...").substr(0, shown.size()), shown) << "only dots at " << width;
      continue;
    }
    const size_t dots = shown.size() - 3;
    EXPECT_EQ(L"...", shown.substr(dots)) << width;
    EXPECT_EQ(value.substr(0, dots), shown.substr(0, dots)) << width;
    EXPECT_GT(Width(value.substr(0, dots + 1) + L"..."), width) << "the longest start that fits, at " << width;
  }
}

}  // namespace
