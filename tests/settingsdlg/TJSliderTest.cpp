// The slider that reports the thumb's drag: the target hears every track step, the release
// reaches the parent's child notification, and without a target the base behaviour stays.
#include "settingsdlg/TJSlider.h"

#include "platform/owl/TDialog.h"
#include "tests/support/DialogTemplate.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kSliderId = 1061;

std::vector<uint8_t> SliderTemplate() {
  DialogTemplate t(L"Slider", 200, 60, WS_POPUP | WS_VISIBLE);
  t.Item(TRACKBAR_CLASSW, kSliderId, L"", 5, 5, 180, 20, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM);
  return t.Bytes();
}

class SliderPage : public OWL::TDialog {
 public:
  explicit SliderPage(bool withTarget) : SliderPage(SliderTemplate(), withTarget) {}
  ZR::Dlg::TJSlider* Slider;
  std::vector<int> Tracked;  // the slider's tracked position at each notification
  std::vector<HWND> Senders;
  int Releases = 0;

 private:
  SliderPage(const std::vector<uint8_t>& bytes, bool withTarget) : TDialog(nullptr, bytes.data(), bytes.size()) {
    Slider = new ZR::Dlg::TJSlider(this, kSliderId, IDB_OWL_HSLIDER_THUMB, withTarget ? this : nullptr);
  }
  LRESULT Track(NMHDR& header) {
    Tracked.push_back(Slider->TrackedPosition());
    Senders.push_back(header.hwndFrom);
    return 0;
  }
  void Released() { ++Releases; }
  DECLARE_RESPONSE_TABLE(SliderPage);
};

DEFINE_RESPONSE_TABLE1(SliderPage, OWL::TDialog)
  EV_NOTIFY(kSliderId, ZR::Dlg::TJSlider::kTrackCode, Track),
  EV_CHILD_NOTIFY(kSliderId, TB_ENDTRACK, Released),
END_RESPONSE_TABLE;

void Scroll(SliderPage& page, UINT code, int pos) {
  page.SendMessage(WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(page.Slider->GetHandle()));
}

TEST(TJSlider, DragStepsNotifyTheTargetAndTheReleaseReachesTheParent) {
  SliderPage page(true);
  page.Create();
  page.Slider->SetRange(0, 179);
  EXPECT_EQ(page.Slider->ThumbResId(), IDB_OWL_HSLIDER_THUMB);
  Scroll(page, TB_THUMBTRACK, 23);
  Scroll(page, TB_THUMBTRACK, 24);
  EXPECT_EQ(page.Tracked, (std::vector<int>{23, 24}));
  EXPECT_EQ(page.Senders, (std::vector<HWND>{nullptr, nullptr}));
  EXPECT_EQ(page.Releases, 0);
  Scroll(page, TB_ENDTRACK, 0);
  EXPECT_EQ(page.Releases, 1);
  EXPECT_EQ(page.Tracked.size(), 2u);
}

TEST(TJSlider, WithoutATargetTheThumbTrackIsTheSlidersOwn) {
  SliderPage page(false);
  page.Create();
  page.Slider->SetRange(0, 179);
  Scroll(page, TB_THUMBTRACK, 40);
  EXPECT_TRUE(page.Tracked.empty());
  EXPECT_EQ(page.Slider->TrackedPosition(), 0);
}

}  // namespace
