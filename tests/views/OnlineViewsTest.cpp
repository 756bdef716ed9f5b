// The views the analyze command shows while it samples a recording: open before the first batch
// and painted between batches, so that the user watches the table grow.
#include "grid/GridPane.h"
#include "grid/TVF_TableView.h"
#include "host/app/ViewShow.h"
#include "hostclient/ModuleInstance.h"
#include "tests/views/ViewSiteFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct PaintedRows {
  host::HostDocument* host = nullptr;
  std::vector<int32_t> rows;  // the table's rows at each paint of its frame's windows on screen
  size_t closeAfter = SIZE_MAX;  // the user closes the frame after this many paints
};
PaintedRows* gWatch = nullptr;

TVF_TableView* TableIn(HWND frame) {
  HWND const grid = FindWindowExW(GetWindow(GetWindow(frame, GW_CHILD), GW_CHILD), nullptr, L"TVF_TableView", nullptr);
  return dynamic_cast<TVF_TableView*>(OWL::TWindow::GetWindowPtr(grid));
}

// Sees every message the thread's loops take from the queue.
LRESULT CALLBACK NotePaints(int code, WPARAM removed, LPARAM message) noexcept {
  const MSG* const msg = reinterpret_cast<const MSG*>(message);
  host::HostClientFrame* const frame = gWatch && gWatch->host->Views().OpenViews() > 0 ? gWatch->host->Views().FrameAt(0) : nullptr;
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_PAINT && frame &&
      IsWindowVisible(frame->Frame()) && GetAncestor(msg->hwnd, GA_ROOT) == frame->Frame()) {
    if (TVF_TableView* const table = TableIn(frame->Frame())) gWatch->rows.push_back(table->MainGrid().Pane().RowCount());
    if (gWatch->rows.size() == gWatch->closeAfter) PostMessageW(frame->Frame(), WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  return CallNextHookEx(nullptr, code, removed, message);
}

class OnlineViews : public doctest::ViewSiteTest {
 protected:
  void SetUp() override {
    ViewSiteTest::SetUp();
    // The menu entries carry the module's instance; the test program stands for the module.
    mPrevious = GetModuleInstance();
    SetModuleInstance(GetModuleHandleW(nullptr));
  }
  void TearDown() override {
    SetModuleInstance(mPrevious);
    ViewSiteTest::TearDown();
  }
  // Samples two records of beats into an empty data file while the Table View is shown, noting the
  // table's rows at each paint of its frame in `watch`.
  HRESULT SampleWhileShowingTheTable(PaintedRows& watch, ondara_host::ShownFrames& frames) {
    const host::Recording source = doctest::CardiacRecording(2, 8000);
    host::Recording empty;
    empty.channels = source.channels;
    OpenOver(std::move(empty));
    for (const auto& [id, text] : {std::pair<int32_t, const wchar_t*>{2000, L"1"}, {1036, L"f"}, {2009, L"t"}}) Set(id, text);
    watch.host = mHost.Get();
    gWatch = &watch;
    HHOOK const hook = SetWindowsHookExW(WH_GETMESSAGE, &NotePaints, nullptr, GetCurrentThreadId());
    ondara_host::ViewShowRequest request;
    request.views = {L"table"};
    const HRESULT sampled = ondara_host::SampleWhileShowing(*mHost.Get(), *mData.Get(), mDocument.Get(), request,
                                                            source, 1000, &frames);
    UnhookWindowsHookEx(hook);
    gWatch = nullptr;
    return sampled;
  }
  HINSTANCE mPrevious = nullptr;
};

}  // namespace

TEST_F(OnlineViews, TheTableViewOpensBeforeSamplingAndGrowsOnScreenBetweenBatches) {
  PaintedRows watch;
  ondara_host::ShownFrames frames;
  ASSERT_EQ(S_OK, SampleWhileShowingTheTable(watch, frames));
  ASSERT_EQ(1u, frames.size());
  TVF_TableView* const table = TableIn(frames[0].second);
  ASSERT_NE(nullptr, table);
  const int32_t last = table->MainGrid().Pane().RowCount();
  ASSERT_GT(last, 8) << "the beats of both records";
  ASSERT_FALSE(watch.rows.empty()) << "the table painted while sampling";
  EXPECT_LT(watch.rows.front(), 3) << "it was on screen before the beats came";
  std::vector<int32_t> grown{watch.rows.front()};
  for (const int32_t rows : watch.rows) {
    EXPECT_GE(rows, grown.back()) << "rows are never lost";
    if (rows > grown.back()) grown.push_back(rows);
  }
  EXPECT_GE(grown.size(), 4u) << "the user saw the table grow batch by batch";
}

// The user closes the Table View while the host samples: the sampling goes on to its end.
TEST_F(OnlineViews, ATableViewClosedWhileSamplingLetsTheSamplingFinish) {
  PaintedRows watch;
  watch.closeAfter = 3;
  ondara_host::ShownFrames frames;
  EXPECT_EQ(S_OK, SampleWhileShowingTheTable(watch, frames));
  EXPECT_EQ(0u, mHost->Views().OpenViews()) << "the view closed";
  EXPECT_GT(Events(), 8) << "the beats of both records";
}
