// The settings page's preview: made over the stand-in data file's preview data, placed on the
// page's placeholder, its axis ranges set or left to the lanes, and its view kept and restored.
#include "settingsdlg/PreviewPaneBase.h"

#include "drawing/PreviewDataWin.h"
#include "host/app/HostFramework.h"
#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"
#include "host/data/SamplingControl.h"
#include "platform/owl/TWindow.h"
#include "tests/support/HostDataFile.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

#include <cmath>

using ExtLib::AxisRange;

namespace {

class Page : public OWL::TWindow {
 public:
  Page() : TWindow(nullptr, L"page") {
    Attr.Style = WS_POPUP | WS_CLIPCHILDREN;
    Attr.W = 600;
    Attr.H = 300;
  }
};

class PreviewPaneBaseTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override {
    document = testsupport::MakeDataDocument({6000}, 0.001, [](int32_t, int32_t i) {
      return static_cast<float>(std::sin(i * 0.02));
    });
    page.Create();
    page.ShowWindow(SW_SHOWNOACTIVATE);
    placeholder = CreateWindowExW(0, L"STATIC", L"Preview", WS_CHILD, 40, 30, 500, 200, page.GetHandle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(ExtLib::kPreviewPlaceholderId)),
                                  nullptr, nullptr);
    (preview.CreateWindow)(nullptr, static_cast<IHostDataFile*>(document.Get()), &page);
    preview.PlaceOverPlaceholder(0);
    PumpMessages();
  }
  void TearDown() override { DestroyWindow(placeholder); }
  void Range(int32_t axis, double* first, double* second) {
    ASSERT_EQ(S_OK, preview.Window()->Lane(0)->GetAxisRange(axis, first, second));
  }

  host::HostPtr<host::DataDocument> document;
  Page page;
  HWND placeholder = nullptr;
  ScriptedModalSeam seam;  // a missing resource's message box must not block the test
  ExtLib::PreviewPaneBase preview;
};

}  // namespace

TEST_F(PreviewPaneBaseTest, WindowShowsTheFilesPreviewDataOnThePlaceholder) {
  ASSERT_NE(nullptr, preview.Window());
  EXPECT_NE(nullptr, preview.Window()->DataSource());
  EXPECT_EQ(16, preview.CountLimit());  // no host document
  EXPECT_TRUE(preview.GridOptionOn());
  RECT window{};
  GetWindowRect(preview.Window()->GetHandle(), &window);
  MapWindowPoints(nullptr, page.GetHandle(), reinterpret_cast<POINT*>(&window), 2);
  EXPECT_EQ(30, window.top);
  EXPECT_GE(window.left, 40);
  EXPECT_LE(window.right, 540);
  // A data file without preview data still gives a window, showing nothing.
  ExtLib::PreviewPaneBase bare;
  (bare.CreateWindow)(nullptr, nullptr, &page);
  ASSERT_NE(nullptr, bare.Window());
  EXPECT_EQ(nullptr, bare.Window()->DataSource());
}

// A detector page makes its preview in its constructor, before the page's window exists.
TEST_F(PreviewPaneBaseTest, APreviewMadeBeforeItsPageIsCreatedWithThePage) {
  Page later;
  ExtLib::PreviewPaneBase early;
  (early.CreateWindow)(nullptr, static_cast<IHostDataFile*>(document.Get()), &later);
  ASSERT_NE(nullptr, early.Window());
  EXPECT_EQ(nullptr, early.Window()->GetHandle());
  later.Create();
  EXPECT_TRUE(IsWindow(early.Window()->GetHandle()));
  EXPECT_EQ(later.GetHandle(), GetParent(early.Window()->GetHandle()));
}

// The page's group box around the placeholder was made first and lies over the whole preview,
// which clips its siblings: placed, the preview stands above it.
TEST_F(PreviewPaneBaseTest, APlacedPreviewStandsAboveTheGroupBoxAroundIt) {
  Page framed;
  framed.Create();
  HWND const group = CreateWindowExW(0, L"BUTTON", L"Preview of peak detection", WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                                     10, 10, 560, 260, framed.GetHandle(), nullptr, nullptr, nullptr);
  CreateWindowExW(0, L"STATIC", L"Preview", WS_CHILD, 40, 30, 500, 200, framed.GetHandle(),
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(ExtLib::kPreviewPlaceholderId)), nullptr, nullptr);
  ExtLib::PreviewPaneBase placed;
  (placed.CreateWindow)(nullptr, static_cast<IHostDataFile*>(document.Get()), &framed);
  placed.PlaceOverPlaceholder(0);
  bool previewFirst = false;
  for (HWND child = GetWindow(framed.GetHandle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == placed.Window()->GetHandle()) previewFirst = true;
    if (child == group) break;
  }
  EXPECT_TRUE(previewFirst) << "the preview comes before the group box in the z-order";
}

TEST_F(PreviewPaneBaseTest, GivenRangesAreSetAndNoRangeLeavesTheAxis) {
  const AxisRange given{-2.0, 3.0};
  preview.ResetScale(0, &given);
  double first = 0, second = 0;
  Range(1, &first, &second);
  EXPECT_DOUBLE_EQ(-2.0, first);
  EXPECT_DOUBLE_EQ(3.0, second);
  preview.SetAxisRange(1, AxisRange{0.5, 4.5});
  Range(2, &first, &second);
  EXPECT_DOUBLE_EQ(0.5, first);
  EXPECT_DOUBLE_EQ(4.5, second);
  preview.ResetScale(1, nullptr);
  Range(2, &first, &second);
  EXPECT_DOUBLE_EQ(0.5, first);
  EXPECT_DOUBLE_EQ(4.5, second);
}

TEST_F(PreviewPaneBaseTest, ViewPositionAndZoomRoundTrip) {
  preview.SetViewPosition(1500, 0.5);
  EXPECT_EQ((ScrivoDraw::PaneRational{1, 2}), preview.Window()->GetHorizontalScaling());
  int64_t position = -1;
  double zoom = 0.0;
  preview.GetViewPosition(&position, &zoom);
  EXPECT_EQ(1500, position);
  EXPECT_DOUBLE_EQ(0.5, zoom);
  preview.SetViewPosition(200, 0.0);  // no scaling of zero samples per pixel: the view stays
  preview.GetViewPosition(&position, &zoom);
  EXPECT_EQ(1500, position);
  EXPECT_DOUBLE_EQ(0.5, zoom);
}

TEST_F(PreviewPaneBaseTest, HostDocumentThatCanSampleLendsItsSamplingControl) {
  auto hostDocument = host::HostDocument::Create(document);
  IHostDocument* const host = hostDocument.Get();
  IUnknown* const file = static_cast<IHostDataFile*>(document.Get());
  ExtLib::PreviewPaneBase cannot;
  (cannot.CreateWindow)(host, file, &page);  // no device installed
  EXPECT_EQ(nullptr, cannot.SamplingSource());
  EXPECT_FALSE(cannot.Window()->HasSamplingSource());

  auto device = host::SamplingControl::Create(document->Data());
  hostDocument->SamplingProvider().Install(device.Get());
  hostDocument->SamplingProvider().SetDeviceBusy(true);
  ExtLib::PreviewPaneBase busy;
  (busy.CreateWindow)(host, file, &page);
  EXPECT_EQ(nullptr, busy.SamplingSource());

  hostDocument->SamplingProvider().SetDeviceBusy(false);
  ExtLib::PreviewPaneBase ready;
  (ready.CreateWindow)(host, file, &page);
  EXPECT_EQ(static_cast<IHostSamplingControl*>(device.Get()), ready.SamplingSource());
  EXPECT_EQ(1, device->PrepareCount());
  EXPECT_TRUE(ready.Window()->HasSamplingSource());
  ready.SetSamplingSource(false);
  EXPECT_FALSE(ready.Window()->HasSamplingSource());
  ready.SetSamplingSource(true);
  EXPECT_TRUE(ready.Window()->HasSamplingSource());
}

TEST_F(PreviewPaneBaseTest, PaneTakesTheHostDocumentsDisplayModeOrTwo) {
  EXPECT_EQ(0, preview.Window()->DisplayMode());  // no host document: the pane keeps its own
  auto hostDocument = host::HostDocument::Create(document);
  IUnknown* const file = static_cast<IHostDataFile*>(document.Get());
  hostDocument->Display().SetDisplayMode(3);
  ExtLib::PreviewPaneBase shown;
  (shown.CreateWindow)(hostDocument.Get(), file, &page);
  EXPECT_EQ(3, shown.Window()->DisplayMode());
  hostDocument->Display().ClearDisplayMode();
  ExtLib::PreviewPaneBase preset;
  (preset.CreateWindow)(hostDocument.Get(), file, &page);
  EXPECT_EQ(2, preset.Window()->DisplayMode());
}
