// TGdiPlusBitmapResource loading the test program's "PNG" resources, and GdiplusStarter's
// clean-up at unload and at process exit.
#include "controls/TGdiPlusBitmapResource.h"

#include "controls/GdiplusPrivate.h"
#include "controls/GdiplusStarter.h"
#include "platform/owl/TModule.h"

#include <gtest/gtest.h>

namespace {

HINSTANCE Self() { return OWL::TModule::CodeInstance(); }

// A freed global block answers no size any more.
bool IsLiveBlock(HGLOBAL block) { return GlobalSize(block) != 0; }

class PngResource : public testing::Test {
 protected:
  static void SetUpTestSuite() { GdiplusStarter::Start(); }
};

}  // namespace

TEST_F(PngResource, LoadsAnImageAndKeepsItsBlockWhileItLives) {
  TGdiPlusBitmapResource holder;
  ASSERT_TRUE(holder.LoadPngResource(102, Self()));
  ASSERT_NE(holder.GetBitmap(), nullptr);
  ASSERT_NE(holder.GetMemoryBlock(), nullptr);
  UINT w = 0;
  UINT h = 0;
  Gdiplus::DllExports::GdipGetImageWidth(holder.GetBitmap(), &w);
  Gdiplus::DllExports::GdipGetImageHeight(holder.GetBitmap(), &h);
  EXPECT_EQ(w, 16u);
  EXPECT_EQ(h, 12u);
  Gdiplus::ARGB pixel = 0;
  Gdiplus::DllExports::GdipBitmapGetPixel(holder.GetBitmap(), 12, 3, &pixel);
  EXPECT_EQ(pixel, 0xFF008000u);
}

TEST_F(PngResource, MissingEmptyOrUnreadableResourcesLeaveNothingHeld) {
  struct Case {
    int id;
    const char* what;
  };
  for (const Case& c : {Case{103, "bitmap only"}, Case{104, "empty"}, Case{105, "not an image"}, Case{999, "absent"}}) {
    TGdiPlusBitmapResource holder;
    EXPECT_FALSE(holder.LoadPngResource(c.id, Self())) << c.what;
    EXPECT_EQ(holder.GetBitmap(), nullptr) << c.what;
    EXPECT_EQ(holder.GetMemoryBlock(), nullptr) << c.what;
  }
}

TEST_F(PngResource, ASecondLoadReleasesTheFirstImageAndBlock) {
  TGdiPlusBitmapResource holder;
  ASSERT_TRUE(holder.LoadPngResource(102, Self()));
  HGLOBAL const first = holder.GetMemoryBlock();
  ASSERT_TRUE(holder.LoadPngResource(102, Self()));
  HGLOBAL const second = holder.GetMemoryBlock();
  // The same handle again can only come from a freed block.
  EXPECT_TRUE(second == first || !IsLiveBlock(first));
  EXPECT_TRUE(IsLiveBlock(second));
  EXPECT_FALSE(holder.LoadPngResource(104, Self()));  // a failed load releases too
  EXPECT_FALSE(IsLiveBlock(second));
  EXPECT_EQ(holder.GetBitmap(), nullptr);
}

TEST(GdiplusStarter, ShutsDownAtUnloadButNeverAtProcessExit) {
  GdiplusStarter::Start();
  ASSERT_TRUE(GdiplusStarter::IsStarted());
  int const before = GdiplusStarter::ShutdownCount();
  GdiplusStarter::CleanUp(true);  // process exit: under the loader lock, GDI+ is left alone
  EXPECT_FALSE(GdiplusStarter::IsStarted());
  EXPECT_EQ(GdiplusStarter::ShutdownCount(), before);

  GdiplusStarter::Start();
  GdiplusStarter::Start();  // once per process
  GdiplusStarter::CleanUp(false);
  EXPECT_EQ(GdiplusStarter::ShutdownCount(), before + 1);
  GdiplusStarter::CleanUp(false);  // nothing left to shut down
  EXPECT_EQ(GdiplusStarter::ShutdownCount(), before + 1);
  GdiplusStarter::Start();  // for the tests that follow
}
