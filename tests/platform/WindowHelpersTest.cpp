// Window helpers: the top-most window of the process, dialog item rectangles, frame edges,
// the screen bitmap DC and its failure.
#include "platform/uihelpers/WindowHelpers.h"

#include "base/XQOR.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TWindow.h"
#include "platform/uihelpers/ScreenBitMapDC.h"
#include "platform/uihelpers/TopmostWindow.h"

#include <gtest/gtest.h>

#include <memory>

TEST(TopmostWindow, KeepsTheProcessTopLevelWindowsTopFirst) {
  OWL::TWindow back(nullptr, L"back");
  OWL::TWindow front(nullptr, L"front");
  back.Create();
  front.Create();
  auto* child = new OWL::TWindow(&front, L"child");
  child->Create();
  EnableWindow(back.GetHandle(), FALSE);
  SetWindowPos(back.GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(front.GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  QOR::TopmostWindow topmost;
  EXPECT_EQ(topmost.GetParentWindow(), &front);
  bool sawBack = false;
  for (const auto& entry : topmost.Windows()) {
    EXPECT_NE(entry.first, child->GetHandle());
    if (entry.first == back.GetHandle()) {
      sawBack = true;
      EXPECT_FALSE(entry.second);
    }
  }
  EXPECT_TRUE(sawBack);
}

TEST(WindowHelpers, DialogItemRectIsInClientCoordinates) {
  OWL::TWindow parent(nullptr, L"items");
  parent.Attr.Style = WS_POPUP;
  parent.Attr.X = parent.Attr.Y = 100;
  parent.Attr.W = parent.Attr.H = 200;
  auto* item = new OWL::TWindow(&parent, L"item");
  item->Attr.Id = 1053;
  item->Attr.X = 10;
  item->Attr.Y = 20;
  item->Attr.W = 30;
  item->Attr.H = 40;
  item->EnableAutoCreate();
  parent.Create();
  EXPECT_EQ(QOR::GetDialogItemRect(parent.GetHandle(), 1053), OWL::TRect(10, 20, 40, 60));
  EXPECT_TRUE(QOR::GetDialogItemRect(parent.GetHandle(), 1).IsEmpty());
  EXPECT_EQ(QOR::NarrowToWide("abc"), L"abc");
  EXPECT_EQ(QOR::NarrowToWide("abc", 2), L"ab");
}

TEST(WindowHelpers, FrameEdgesAndTheScreenBitmapDC) {
  QOR::ScreenBitMapDC dc(6, 5);
  dc.FillRect(OWL::TRect(0, 0, 6, 5), OWL::TBrush(OWL::TColor::White));
  QOR::DrawFrameEdges(dc, OWL::TRect(0, 0, 6, 5), OWL::TColor(255, 0, 0), OWL::TColor(0, 0, 255));
  EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(4, 0), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(5, 0), RGB(0, 0, 255));
  EXPECT_EQ(dc.GetPixel(0, 4), RGB(0, 0, 255));
  EXPECT_EQ(dc.GetPixel(2, 2), RGB(255, 255, 255));
  EXPECT_EQ(dc.GetBitmap().Width(), 6);

  try {
    QOR::ScreenBitMapDC huge(200000, 200000);
    FAIL() << "a 40-gigapixel bitmap was made";
  } catch (const XQOR& e) {
    EXPECT_EQ(static_cast<uint32_t>(e.code()) & 0xFFFF0000u, 0x80070000u);
    EXPECT_EQ(std::wstring(e.GetMessage().GetText()).rfind(L"ScreenBitMapDC:: ctor fail", 0), 0u);
  }
}
