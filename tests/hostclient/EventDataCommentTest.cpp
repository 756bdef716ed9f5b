// Comments of events in the recording view: keys and order, attachment, the mark's rectangle and
// painting at 96 and 192 dpi, hit testing, the popup's layout and placement.
#include "hostclient/EventDataComment.h"

#include "base/String.h"
#include "hostclient/CommentAnimation.h"
#include "hostclient/CommentMarker.h"
#include "hostclient/CommentPopup.h"
#include "hostclient/ComPtr.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TMemoryDC.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace ScrivoClient;

ComPtr<IScrivoCommentEx> MakeComment(int32_t record, int32_t position, const wchar_t* text,
                                     COLORREF colour = 0x0021AC7A) {
  EventCommentInit init;
  init.record = record;
  init.position = position;
  init.text = text;
  init.colour = colour;
  ComPtr<IScrivoCommentEx> comment;
  EXPECT_EQ(CreateEventDataComment(init, comment.Out()), S_OK);
  return comment;
}

struct BitmapHolder {
  std::unique_ptr<OWL::TBitmap> bitmap;
};

// A white DIB section in a memory DC that reports a chosen vertical resolution; the bitmap
// outlives the DC that selects it.
class DpiCanvas : private BitmapHolder, public OWL::TMemoryDC {
 public:
  DpiCanvas(std::unique_ptr<OWL::TBitmap> made, uint32_t* bits, int dpi)
      : BitmapHolder{std::move(made)}, OWL::TMemoryDC(*bitmap), mBits(bits), mDpi(dpi) {
    PatBlt(OWL::TRect(0, 0, kSize, kSize), WHITENESS);
  }
  static std::unique_ptr<DpiCanvas> Make(int dpi) {
    uint32_t* bits = nullptr;
    std::unique_ptr<OWL::TBitmap> bitmap(OWL::TBitmap::CreateDIB32(kSize, kSize, &bits));
    return std::make_unique<DpiCanvas>(std::move(bitmap), bits, dpi);
  }
  int GetDeviceCaps(int index) const noexcept override {
    return index == LOGPIXELSY || index == LOGPIXELSX ? mDpi : TMemoryDC::GetDeviceCaps(index);
  }
  uint32_t At(int x, int y) const { return mBits[y * kSize + x] & 0xFFFFFF; }
  static constexpr int kSize = 200;

 private:
  uint32_t* mBits;
  int mDpi;
};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(EventDataComment, OrdersByRecordPositionThenTextAsUnsignedUnits) {
  const auto a = MakeComment(0, 100, L"ZR: Peak 1");
  const auto b = MakeComment(0, 200, L"ZR: Peak 1");
  const auto c = MakeComment(1, 5, L"ZR: Peak 1");
  const auto negative = MakeComment(0, -1, L"ZR: Peak 1");  // position compared unsigned: last
  EXPECT_EQ(a->IsBefore(b.Get()), S_OK);
  EXPECT_EQ(b->IsBefore(a.Get()), S_FALSE);
  EXPECT_EQ(b->IsBefore(c.Get()), S_OK);
  EXPECT_EQ(b->IsBefore(negative.Get()), S_OK);
  // Same place: a prefix orders first; a unit above 0x7FFF orders after ASCII.
  const auto prefix = MakeComment(0, 100, L"ZR: Peak");
  const auto high = MakeComment(0, 100, L"ZR: Peak \x00E9");
  EXPECT_EQ(prefix->IsBefore(a.Get()), S_OK);
  EXPECT_EQ(a->IsBefore(high.Get()), S_OK);
  EXPECT_EQ(a->IsBefore(a.Get()), S_FALSE);
}

TEST(EventDataComment, EqualityIsExactAndWordBCounts) {
  const auto a = MakeComment(2, 100, L"ZR: Peak 1");
  const auto same = MakeComment(2, 100, L"ZR: Peak 1");
  const auto otherCase = MakeComment(2, 100, L"zr: peak 1");
  EXPECT_EQ(a->IsSame(a.Get()), S_OK);
  EXPECT_EQ(a->IsSame(same.Get()), S_OK);
  EXPECT_EQ(a->IsSame(otherCase.Get()), S_FALSE);
  ASSERT_EQ(same->SetWordB(7), S_OK);
  EXPECT_EQ(a->IsSame(same.Get()), S_FALSE);
  EXPECT_EQ(a->IsBefore(same.Get()), S_OK);  // word B 0 before 7
}

TEST(EventDataComment, KeysThroughTheRawSlotsAndLifetime) {
  auto comment = MakeComment(3, 42, L"ZR: Peak 2");
  using GetKeysSlot = HRESULT(STDMETHODCALLTYPE*)(IScrivoComment*, CommentPlace*, uint32_t*, uint32_t*,
                                                    QOR::IQORString**);
  auto** table = *reinterpret_cast<void***>(comment.Get());
  CommentPlace place{};
  QOR::IQORString* text = nullptr;
  ASSERT_EQ(reinterpret_cast<GetKeysSlot>(table[3])(comment.Get(), &place, nullptr, nullptr, &text), S_OK);
  EXPECT_EQ(place.record, 3);
  EXPECT_EQ(place.position, 42);
  EXPECT_STREQ(QOR::String::Adopt(text).GetText(), L"ZR: Peak 2");
  EXPECT_EQ(comment->Reserved21(), E_FAIL);
  EXPECT_EQ(comment->GetPosition(nullptr), E_NOTIMPL);
  EXPECT_EQ(comment->GetExtraWord(nullptr), E_INVALIDARG);
  ComPtr<ICommentHost> host;
  EXPECT_EQ(comment->GetHost(host.Out()), S_FALSE);
  EXPECT_FALSE(host);
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(comment->QueryInterface(IID_IScrivoComment, unknown.OutVoid()), S_OK);
  EXPECT_EQ(comment->QueryInterface(IID_IMarshal, unknown.OutVoid()), E_NOINTERFACE);
  EXPECT_FALSE(unknown);
  EXPECT_EQ(comment.Detach()->Release(), 0u);
}

TEST(CommentMarker, RectanglesAt96And192Dpi) {
  EXPECT_TRUE(SameRect(CommentMarkerRect(96, 100, 50), RECT{97, 50, 104, 57}));
  EXPECT_TRUE(SameRect(CommentMarkerRect(192, 100, 50), RECT{94, 50, 107, 63}));
  EXPECT_TRUE(SameRect(CommentMarkerRect(72, 100, 50), RECT{97, 50, 104, 57}));  // never below 1:1
  EXPECT_TRUE(SameRect(CommentMarkerRect(144, 100, 50), RECT{96, 50, 105, 59}));  // 4.5 truncated
}

TEST(CommentMarker, HitExcludesRightAndBottomEdges) {
  const auto comment = MakeComment(0, 0, L"x");
  const CommentDrawPosition at{0, 100, 50, 80, 0, 0};
  const std::unique_ptr<DpiCanvas> dc = DpiCanvas::Make(96);
  const struct { POINT p; HRESULT hr; int32_t code; } cases[] = {
      {{97, 50}, S_OK, kCommentHitMarker}, {{103, 56}, S_OK, kCommentHitMarker},
      {{104, 50}, S_FALSE, 0}, {{100, 57}, S_FALSE, 0}, {{96, 52}, S_FALSE, 0}};
  for (const auto& c : cases) {
    int32_t code = -1;
    EXPECT_EQ(comment->HitTest(*dc, &at, c.p, 0, &code), c.hr) << c.p.x << "," << c.p.y;
    EXPECT_EQ(code, c.code) << c.p.x << "," << c.p.y;
  }
}

// The mark is a filled ellipse of the marker colour without outline; at 192 dpi it is twice as
// wide; the black flag overrides the colour; the DC's objects come back as they were.
TEST(CommentMarker, PaintsTheMarkThroughAScaledDC) {
  for (const int dpi : {96, 192}) {
    const std::unique_ptr<DpiCanvas> dc = DpiCanvas::Make(dpi);
    const HGDIOBJ pen = GetCurrentObject(*dc, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(*dc, OBJ_BRUSH);
    const CommentDrawPosition at{0, 100, 50, 80, 0, 0};
    DrawCommentMark(*dc, *dc, at, CommentLook{RGB(0, 0, 255), L"ZR: Peak 1", 0});
    const RECT r = CommentMarkerRect(*dc, 100, 50);
    EXPECT_EQ(dc->At(100, (r.top + r.bottom) / 2), 0x0000FFu) << dpi;  // DIB pixels are 0x00RRGGBB
    EXPECT_EQ(dc->At(r.right, (r.top + r.bottom) / 2), 0xFFFFFFu) << dpi;
    EXPECT_EQ(dc->At(100, r.bottom + 2), 0xFFFFFFu) << dpi;  // no marker line asked for
    EXPECT_EQ(GetCurrentObject(*dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(*dc, OBJ_BRUSH), brush);
    if (dpi == 192) {
      EXPECT_EQ(dc->At(r.left + 1, (r.top + r.bottom) / 2), 0x0000FFu);
    }
  }
  const std::unique_ptr<DpiCanvas> dc = DpiCanvas::Make(96);
  const CommentDrawPosition black{0, 100, 50, 150, 0, kCommentDrawBlack | kCommentMarkerLine};
  DrawCommentMark(*dc, *dc, black, CommentLook{RGB(0, 0, 255), nullptr, 0});
  EXPECT_EQ(dc->At(100, 53), 0u);
  bool lineDrawn = false;
  for (int y = 60; y < 150; ++y) lineDrawn |= dc->At(100, y) == 0xC0C0C0u;
  EXPECT_TRUE(lineDrawn);
}

TEST(CommentPopup, LinesOfFortyCharactersUpToSeven) {
  EXPECT_EQ(CommentPopupLines(0), 1);
  EXPECT_EQ(CommentPopupLines(40), 1);
  EXPECT_EQ(CommentPopupLines(41), 2);
  EXPECT_EQ(CommentPopupLines(81), 3);
  EXPECT_EQ(CommentPopupLines(400), 7);
}

TEST(CommentPopup, StaysInsideTheWorkAreaNearItsTopAndRightEdges) {
  const RECT work{0, 30, 1280, 994};  // a taskbar above
  const SIZE size{300, 80};
  POINT at = PlaceCommentPopup(POINT{500, 400}, size, 7, work);
  EXPECT_EQ(at.x, 500);
  EXPECT_EQ(at.y, 320);  // above the mark
  at = PlaceCommentPopup(POINT{1200, 400}, size, 7, work);
  EXPECT_EQ(at.x, 1280 - 300 - 10);  // pulled left of the right edge
  at = PlaceCommentPopup(POINT{500, 100}, size, 7, work);
  EXPECT_EQ(at.y, 107);  // would reach above the work area: below the mark instead
  const CommentPopupLayout layout = LayoutCommentPopup(6, 13, 7, 81);
  EXPECT_EQ(layout.textBox.bottom - layout.textBox.top, 3 * 13);
  EXPECT_EQ(layout.textBox.right - layout.textBox.left, 240);
  EXPECT_GE(layout.textBox.top, layout.timeLine.bottom);
}

TEST(CommentPopup, ShownForACommentUnlessItsFlagsKeepItBack) {
  const auto comment = MakeComment(0, 0, std::wstring(81, L'a').c_str());
  const RECT marker{97, 50, 104, 57};
  ComPtr<ICommentPopupWindow> popup;
  ASSERT_EQ(comment->ShowPopupForRect(nullptr, 0, popup.Out(), &marker), S_OK);
  ASSERT_TRUE(popup);
  ComPtr<IScrivoComment> back;
  EXPECT_EQ(popup->GetComment(back.Out()), S_OK);
  EXPECT_EQ(static_cast<IScrivoComment*>(comment.Get()), back.Get());
  EXPECT_EQ(popup->GetComment(nullptr), E_INVALIDARG);
  const HWND window = FindWindowW(L"CommentPopup", nullptr);
  ASSERT_TRUE(window);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_POPUP | WS_DISABLED | WS_BORDER),
            static_cast<LONG>(WS_POPUP | WS_DISABLED | WS_BORDER));
  EXPECT_EQ(popup->Refresh(), S_OK);
  back.Reset();
  EXPECT_EQ(popup.Detach()->Release(), 0u);
  EXPECT_FALSE(IsWindow(window));
}

// The bold line (also the popup window's text) is "t = " and the comment's own time text, at most
// 31 characters; comments that are not the module's own give no time text.
TEST(CommentPopup, TheTimeLineCarriesTheCommentsTimeText) {
  const struct {
    const wchar_t* time;
    const wchar_t* line;
  } cases[] = {{L"2.5 s", L"t = 2.5 s"},
               {nullptr, L"t = "},
               {L"123456789012345678901234567890 s", L"t = 123456789012345678901234567"}};
  for (const auto& c : cases) {
    EventCommentInit init;
    init.text = L"ZR: Peak 1";
    init.timeText = c.time;
    ComPtr<IScrivoCommentEx> comment;
    ASSERT_EQ(CreateEventDataComment(init, comment.Out()), S_OK);
    const RECT marker{97, 50, 104, 57};
    ComPtr<ICommentPopupWindow> popup;
    ASSERT_EQ(comment->ShowPopupForRect(nullptr, 0, popup.Out(), &marker), S_OK);
    wchar_t line[64] = {};
    GetWindowTextW(FindWindowW(L"CommentPopup", nullptr), line, 64);
    EXPECT_STREQ(line, c.line);
  }
  EXPECT_EQ(CommentTimeText(nullptr).Length(), 0);
}

TEST(CommentAnimation, FramesRunLinearlyToTheTarget) {
  const RECT from{0, 0, 100, 100};
  const RECT to{40, 40, 50, 50};
  EXPECT_TRUE(SameRect(AnimationFrame(from, to, 5), RECT{20, 20, 75, 75}));
  EXPECT_TRUE(SameRect(AnimationFrame(from, to, kAnimationSteps), to));
}

}  // namespace
