// The theme gates by system version, and CheckedTheme with its checked calls against the real
// visual-styles library and against a fake one that fails on request and counts closes.
#include "controls/CheckedTheme.h"

#include "base/XQOR.h"
#include "controls/ThemeGate.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TWindow.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

struct FakeThemeState {
  int opened;
  int closed;
  HRESULT closeResult;
  HRESULT callResult;
  int shapedStem;
};

OSVERSIONINFOW Version(DWORD platform, DWORD major, DWORD minor) {
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  v.dwPlatformId = platform;
  v.dwMajorVersion = major;
  v.dwMinorVersion = minor;
  return v;
}

std::wstring MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const XQOR& e) {
    EXPECT_EQ(e.code(), kThemeFailure);
    return e.GetMessage().GetText();
  }
  return L"(no exception)";
}

// Binds fakeuxtheme.dll for one test and goes back to the real library after.
class FakeTheme : public testing::Test {
 protected:
  void SetUp() override {
    QORLinkingUtils::UxThemeDLL::Reset(L"fakeuxtheme.dll");
    ASSERT_TRUE(QORLinkingUtils::UxThemeDLL::IsLoaded());
    HMODULE const fake = GetModuleHandleW(L"fakeuxtheme.dll");
    auto get = reinterpret_cast<FakeThemeState*(WINAPI*)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(fake, "FakeThemeGetState")));
    ASSERT_NE(get, nullptr);
    state = get();
    *state = FakeThemeState{0, 0, S_OK, S_OK, 0};
  }
  void TearDown() override { QORLinkingUtils::UxThemeDLL::Reset(nullptr); }
  FakeThemeState* state = nullptr;
};

// A window whose handler draws with a theme class the theme does not know.
class UnknownThemeWindow : public OWL::TWindow {
 public:
  UnknownThemeWindow() : TWindow(nullptr, L"theme failure") { Attr.Style = WS_POPUP; }
  LRESULT DrawUnknown(WPARAM, LPARAM) {
    CheckedTheme theme(mHandle, L"NoSuchClass");
    RECT rect{0, 0, 4, 4};
    CheckedDrawThemeBackground({theme, nullptr, 1, 1, &rect});
    return 1;
  }
  DECLARE_RESPONSE_TABLE(UnknownThemeWindow);
};

DEFINE_RESPONSE_TABLE1(UnknownThemeWindow, OWL::TWindow)
  EV_MESSAGE(WM_USER + 1, DrawUnknown),
END_RESPONSE_TABLE;

}  // namespace

TEST(ThemeGate, AllowsThemesOnNtFromVersion51Except52) {
  struct Case {
    DWORD platform, major, minor;
    bool allowed;
  };
  for (const Case& c : {Case{2, 5, 0, false}, Case{2, 5, 1, true}, Case{2, 5, 2, false}, Case{2, 6, 0, true},
                        Case{2, 10, 0, true}, Case{1, 6, 0, false}}) {
    EXPECT_EQ(ThemesAllowedOn(Version(c.platform, c.major, c.minor)), c.allowed)
        << c.platform << " " << c.major << "." << c.minor;
  }
}

TEST(ThemeGate, AnInjectedVersionDecidesBothGates) {
  ASSERT_TRUE(QORLinkingUtils::UxThemeDLL::IsAppThemed());  // Wine's theme is active
  OSVERSIONINFOW const xp = Version(2, 5, 1);
  SetThemeGateVersion(&xp);
  EXPECT_TRUE(ThemesAvailable());
  EXPECT_FALSE(Version6ThemesAvailable());
  OSVERSIONINFOW const server = Version(2, 5, 2);
  SetThemeGateVersion(&server);
  EXPECT_FALSE(ThemesAvailable());
  OSVERSIONINFOW const seven = Version(2, 6, 1);
  SetThemeGateVersion(&seven);
  EXPECT_TRUE(Version6ThemesAvailable());
  SetThemeGateVersion(nullptr);
}

TEST(CheckedTheme, OpensOnFirstUseDrawsAndClosesOnce) {
  CheckedTheme theme(nullptr, L"BUTTON");
  CheckedCloseThemeData(theme);  // never opened: nothing, no exception
  uint32_t* bits = nullptr;
  std::unique_ptr<OWL::TBitmap> dib(OWL::TBitmap::CreateDIB32(20, 20, &bits));
  OWL::TMemoryDC dc(*dib);
  RECT rect{0, 0, 20, 20};
  CheckedDrawThemeBackground({theme, dc, 1, 1, &rect});
  EXPECT_NE(theme.GetHandle(), nullptr);
  EXPECT_NE(bits[10 * 20 + 10], 0u);  // the button face was drawn
  CheckedCloseThemeData(theme);
  EXPECT_EQ(theme.GetHandle(), nullptr);
}

TEST(CheckedTheme, UnknownClassThrowsNamingTheClass) {
  CheckedTheme theme(nullptr, L"NoSuchClass");
  RECT rect{0, 0, 4, 4};
  EXPECT_EQ(MessageOf([&] { CheckedDrawThemeBackground({theme, nullptr, 1, 1, &rect}); }),
            L"Could not open theme data for the given class: NoSuchClass.");
}

TEST(CheckedTheme, AFailureInAWindowProcedureIsShownNotThrown) {
  ScriptedModalSeam seam;
  UnknownThemeWindow window;
  window.Create();
  window.SendMessage(WM_USER + 1);
  ASSERT_EQ(seam.MessageTexts.size(), 1u);
  EXPECT_NE(seam.MessageTexts[0].find(L"given class: NoSuchClass."), std::wstring::npos);
}

TEST_F(FakeTheme, DestroyingAThemeObjectClosesItsOpenHandle) {
  {
    CheckedTheme unused(nullptr, L"BUTTON");
  }
  EXPECT_EQ(state->closed, 0);
  {
    CheckedTheme theme(nullptr, L"BUTTON");
    CheckedOpenThemeData(theme);
  }
  EXPECT_EQ(state->closed, 1);
}

TEST_F(FakeTheme, AFailedCloseIsReportedWithTheHandleAlreadyCleared) {
  CheckedTheme theme(nullptr, L"BUTTON");
  CheckedOpenThemeData(theme);
  state->closeResult = E_FAIL;
  EXPECT_EQ(MessageOf([&] { CheckedCloseThemeData(theme); }), L"Failed to close theme data.");
  EXPECT_EQ(theme.GetHandle(), nullptr);
  EXPECT_NE(CheckedOpenThemeData(theme), nullptr);  // a later use opens it again
  state->closeResult = S_OK;
}

TEST_F(FakeTheme, EachCheckedCallNamesItselfWhenItFails) {
  CheckedTheme theme(nullptr, L"TOOLTIP");
  RECT rect{0, 0, 4, 4};
  ThemeCall const call{theme, nullptr, 1, 1, &rect, L"text", DT_SINGLELINE};
  EXPECT_EQ(CheckedGetThemePartSize(call, 1).cx, 13);
  state->callResult = E_FAIL;
  EXPECT_EQ(MessageOf([&] { CheckedDrawThemeBackground(call); }), L"Error calling UxThemeDLL::DrawThemeBackground().");
  EXPECT_EQ(MessageOf([&] { CheckedGetThemePartSize(call, 1); }), L"Error calling UxThemeDLL::GetThemePartSize().");
  EXPECT_EQ(MessageOf([&] { CheckedGetThemeTextExtent(call, nullptr); }),
            L"Error calling UxThemeDLL::GetThemeTextExtent().");
  EXPECT_EQ(MessageOf([&] { CheckedDrawThemeText(call); }), L"Error calling UxThemeDLL::DrawThemeText().");
  state->callResult = S_OK;
}
