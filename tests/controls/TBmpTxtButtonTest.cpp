// The Help button: classic painting into a DIB, clicks, and the hover tip's life.
#include "controls/TBmpTxtButton.h"

#include "controls/ControlsBitmapIds.h"
#include "controls/ThemeGate.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TDialog.h"
#include "tests/support/DialogTemplate.h"
#include "tests/support/DibCanvas.h"

#include <gtest/gtest.h>

using QORControls::TBmpTxtButton;

namespace {

std::vector<uint8_t> HelpTemplate() {
  DialogTemplate t(L"Help", 120, 60, WS_POPUP | WS_VISIBLE);
  t.Item(DialogTemplate::kButton, TBmpTxtButton::kControlId, L"", 10, 10, 24, 18, BS_PUSHBUTTON);
  return t.Bytes();
}

class HelpDialog : public OWL::TDialog {
 public:
  explicit HelpDialog(const wchar_t* tip) : HelpDialog(HelpTemplate(), tip) {}
  TBmpTxtButton* Button;
  int Clicks = 0;

  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override {
    if (id == TBmpTxtButton::kControlId && notifyCode == BN_CLICKED) ++Clicks;
    return OWL::TDialog::EvCommand(id, control, notifyCode);
  }

 private:
  HelpDialog(const std::vector<uint8_t>& bytes, const wchar_t* tip) : TDialog(nullptr, bytes.data(), bytes.size()) {
    Button = new TBmpTxtButton(this, tip);
    Button->SetBitmap(IDB_HELP_GLYPH);
  }
};

// Runs on Windows 5.2, where the gate keeps every control classic.
class TBmpTxtButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OSVERSIONINFOW server2003{};
    server2003.dwOSVersionInfoSize = sizeof server2003;
    server2003.dwMajorVersion = 5;
    server2003.dwMinorVersion = 2;
    server2003.dwPlatformId = VER_PLATFORM_WIN32_NT;
    SetThemeGateVersion(&server2003);
  }
  void TearDown() override { SetThemeGateVersion(nullptr); }
};

TEST(TBmpTxtButtonThemeState, LaterStateBitsWin) {
  EXPECT_EQ(TBmpTxtButton::ThemeState(0), 1);
  EXPECT_EQ(TBmpTxtButton::ThemeState(TBmpTxtButton::bsDefault), 5);
  EXPECT_EQ(TBmpTxtButton::ThemeState(TBmpTxtButton::bsDefault | TBmpTxtButton::bsFocus), 2);
  EXPECT_EQ(TBmpTxtButton::ThemeState(TBmpTxtButton::bsFocus | TBmpTxtButton::bsPressed), 3);
  EXPECT_EQ(TBmpTxtButton::ThemeState(TBmpTxtButton::bsPressed | TBmpTxtButton::bsDisabled), 4);
}

TEST_F(TBmpTxtButtonTest, ClassicFaceDrawsTheGlyphWithItsKeyTransparentAndGreysItWhenDisabled) {
  HelpDialog dialog(L"Get dialog help");
  dialog.Create();
  TBmpTxtButton& button = *dialog.Button;
  EXPECT_FALSE(button.IsThemed());
  OWL::TRect const client = button.GetClientRect();
  int const cx = client.Width() / 2;
  int const cy = client.Height() / 2;
  uint32_t const face = DibCanvas::SysPixel(COLOR_3DFACE);
  {
    DibCanvas canvas(client.Width(), client.Height(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    OWL::TDC dc(canvas.Dc());
    button.PaintButton(dc, client);
    EXPECT_EQ(canvas.At(cx - 5, cy), 0x0050AAu);  // the glyph's disc
    EXPECT_EQ(canvas.At(cx - 8, cy - 8), face);   // its key colour shows the face
  }
  button.EnableWindow(false);
  DibCanvas canvas(client.Width(), client.Height(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  OWL::TDC dc(canvas.Dc());
  button.PaintButton(dc, client);
  uint32_t const grey = canvas.At(cx - 5, cy);
  int const r = static_cast<int>(grey >> 16);
  int const g = static_cast<int>((grey >> 8) & 0xFF);
  int const b = static_cast<int>(grey & 0xFF);
  EXPECT_EQ(r, g);
  EXPECT_NEAR(b, r, 16);
  EXPECT_GT(r, 100);
  dialog.Destroy();
}

TEST_F(TBmpTxtButtonTest, ClicksOnlyOnACapturedReleaseInside) {
  HelpDialog dialog(L"Get dialog help");
  dialog.Create();
  TBmpTxtButton& button = *dialog.Button;
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(dialog.Clicks, 0);  // never captured
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(GetCapture(), button.GetHandle());
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(dialog.Clicks, 1);
  EXPECT_EQ(GetCapture(), nullptr);
  button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(dialog.Clicks, 1);  // a double click without the capture is no second click
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 3));
  EXPECT_EQ(dialog.Clicks, 1);
  dialog.Destroy();
}

TEST_F(TBmpTxtButtonTest, TheTipShowsOnTheFirstTickAndGoesAfterFiveSeconds) {
  HelpDialog dialog(L"Get dialog help");
  dialog.Create();
  TBmpTxtButton& button = *dialog.Button;
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  button.SendMessage(WM_TIMER, 1);
  ASSERT_NE(button.GetTip(), nullptr);
  EXPECT_EQ(std::wstring(button.GetTip()->GetText().GetText()), L"Get dialog help");
  for (int tick = 2; tick <= 10; ++tick) button.SendMessage(WM_TIMER, 1);
  EXPECT_NE(button.GetTip(), nullptr);
  button.SendMessage(WM_TIMER, 1);
  EXPECT_EQ(button.GetTip(), nullptr);
  dialog.Destroy();
}

TEST_F(TBmpTxtButtonTest, LeavingResetsTheHoverSoTheNextTipKeepsItsFiveSeconds) {
  HelpDialog dialog(L"Get dialog help");
  dialog.Create();
  TBmpTxtButton& button = *dialog.Button;
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  for (int tick = 0; tick < 8; ++tick) button.SendMessage(WM_TIMER, 1);
  button.SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(button.GetTip(), nullptr);
  EXPECT_EQ(button.GetHoverTime(), 0);
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  for (int tick = 0; tick < 6; ++tick) button.SendMessage(WM_TIMER, 1);
  EXPECT_NE(button.GetTip(), nullptr);
  dialog.Destroy();
}

TEST_F(TBmpTxtButtonTest, AnEmptyTipTextShowsNoTip) {
  HelpDialog dialog(L"");
  dialog.Create();
  TBmpTxtButton& button = *dialog.Button;
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  button.SendMessage(WM_TIMER, 1);
  EXPECT_EQ(button.GetTip(), nullptr);
  EXPECT_EQ(button.GetHoverTime(), 0);
  dialog.Destroy();
}

}  // namespace
