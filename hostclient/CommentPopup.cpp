// CommentPopup: layout, placement, painting and its COM face.
#include "hostclient/CommentPopup.h"

#include "base/String.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "hostclient/DPIFontMap.h"
#include "hostclient/EventDataComment.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TScreenDC.h"
#include "platform/owl/TWindow.h"

#include <algorithm>
#include <string>

namespace ScrivoClient {
namespace {

constexpr uint32_t kPopupMarkFlags = 0x08200000u;
constexpr int kTimeLineUnits = 31;

class CommentPopup final : public OWL::TWindow, public ICommentPopupWindow, public QOR::CComObjectRoot {
 public:
  CommentPopup(POINT anchor, IScrivoCommentEx* comment, int markerHeight)
      : OWL::TWindow(static_cast<OWL::TWindow*>(nullptr)), mComment(comment), mAnchor(anchor), mMarkerHeight(markerHeight) {
    QOR::IQORString* text = nullptr;
    if (SUCCEEDED(comment->GetKeys(nullptr, nullptr, nullptr, &text))) mText = QOR::String::Adopt(text);
    mTimeText = CommentTimeText(comment);
    comment->GetDrawInfo(nullptr, &mColour, nullptr);
    const OWL::TScreenDC screen;
    const DPIFontMap::Entry& fonts = DPIFontMap::Instance().ForDC(screen);
    mNormal = fonts.normal->GetHandle();
    mBold = fonts.bold->GetHandle();
    TEXTMETRICW metrics{};
    const HGDIOBJ old = SelectObject(screen, mNormal);
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    const RECT mark = CommentMarkerRectOnScreen();
    mLayout = LayoutCommentPopup(metrics.tmAveCharWidth, metrics.tmHeight + metrics.tmExternalLeading,
                                 mark.bottom - mark.top, mText.Length());
    Attr.Style = WS_POPUP | WS_DISABLED | WS_BORDER;
    Attr.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    Attr.W = mLayout.window.cx;
    Attr.H = mLayout.window.cy;
    // The bold line is also the window's text, for whoever reads the window rather than looks.
    Title = TimeLine();
  }

  QOR_BEGIN_INTERFACE_MAP(CommentPopup)
  QOR_INTERFACE_ENTRY(ICommentPopupWindow, IID_ICommentPopupWindow)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  HRESULT STDMETHODCALLTYPE GetComment(IScrivoComment** comment) noexcept override {
    if (!comment) return E_INVALIDARG;
    *comment = static_cast<IScrivoComment*>(mComment.Get());
    mComment->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Refresh() noexcept override {
    ::InvalidateRect(GetHandle(), nullptr, TRUE);
    ::UpdateWindow(GetHandle());
    return S_OK;
  }

  const wchar_t* GetClassName() override { return L"CommentPopup"; }
  void GetWindowClass(WNDCLASSEXW& wc) override {
    OWL::TWindow::GetWindowClass(wc);
    wc.style |= CS_SAVEBITS;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
  }
  void SetupWindow() override {
    OWL::TWindow::SetupWindow();
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromPoint(mAnchor, MONITOR_DEFAULTTONEAREST), &info)) work = info.rcWork;
    const POINT at = PlaceCommentPopup(mAnchor, mLayout.window, mMarkerHeight, work);
    ::SetWindowPos(GetHandle(), nullptr, at.x, at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER);
  }
  void Paint(OWL::TDC& dc, bool, OWL::TRect&) override {
    const OWL::TColor oldText = dc.SetTextColor(OWL::TColor(GetSysColor(COLOR_INFOTEXT)));
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const CommentDrawPosition mark{0, mLayout.marker.x, mLayout.marker.y, mLayout.marker.y, 0, kPopupMarkFlags};
    mComment->Draw(dc, dc, &mark);
    const std::wstring time = TimeLine();
    RECT timeLine = mLayout.timeLine;
    const HGDIOBJ oldFont = SelectObject(dc, mBold);
    ::DrawTextW(dc, time.c_str(), static_cast<int>(time.size()), &timeLine, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, mNormal);
    RECT textBox = mLayout.textBox;
    ::DrawTextW(dc, mText.GetText(), mText.Length(), &textBox, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldText);
  }

 private:
  std::wstring TimeLine() const { return (L"t = " + std::wstring(mTimeText.GetText())).substr(0, kTimeLineUnits); }
  ~CommentPopup() override {
    if (GetHandle()) Destroy();
  }
  static RECT CommentMarkerRectOnScreen() noexcept {
    const OWL::TScreenDC screen;
    const int half = static_cast<int>(std::max(1.0, screen.GetDeviceCaps(LOGPIXELSY) / 96.0) * 3);
    return RECT{0, 0, 2 * half + 1, 2 * half + 1};
  }

  ComPtr<IScrivoCommentEx> mComment;
  QOR::String mTimeText;
  QOR::String mText;
  COLORREF mColour = 0;
  POINT mAnchor;
  int mMarkerHeight;
  HFONT mNormal = nullptr;
  HFONT mBold = nullptr;
  CommentPopupLayout mLayout{};
};

}  // namespace

int CommentPopupLines(int length) noexcept {
  if (length <= 0) return 1;
  return std::min((length - 1) / kPopupCharsPerLine + 1, kPopupMaxLines);
}

POINT PlaceCommentPopup(POINT anchor, SIZE size, int markerHeight, const RECT& workArea) noexcept {
  POINT at;
  at.x = std::min<LONG>(anchor.x, workArea.right - size.cx - kPopupEdgeGap);
  at.y = anchor.y - size.cy;
  if (at.y < workArea.top + kPopupEdgeGap) at.y = anchor.y + markerHeight;
  return at;
}

CommentPopupLayout LayoutCommentPopup(int charWidth, int lineHeight, int markerSize,
                                      int textLength) noexcept {
  CommentPopupLayout layout{};
  const int textWidth = kPopupCharsPerLine * charWidth;
  const int firstLine = std::max(lineHeight, markerSize);
  const int lines = CommentPopupLines(textLength);
  layout.marker = POINT{kPopupMargin + markerSize / 2, kPopupMargin + (firstLine - markerSize) / 2};
  const int timeLeft = kPopupMargin + markerSize + kPopupMargin;
  layout.timeLine = RECT{timeLeft, kPopupMargin, kPopupMargin + textWidth, kPopupMargin + firstLine};
  layout.textBox = RECT{kPopupMargin, layout.timeLine.bottom, kPopupMargin + textWidth,
                        layout.timeLine.bottom + lines * lineHeight};
  const int border = 2 * GetSystemMetrics(SM_CXBORDER);
  layout.window = SIZE{textWidth + 2 * kPopupMargin + border, layout.textBox.bottom + kPopupMargin + border};
  return layout;
}

HRESULT CreateCommentPopup(HWND, POINT anchor, IScrivoCommentEx* comment, int markerHeight,
                           ICommentPopupWindow** popup) noexcept {
  if (!popup) return E_INVALIDARG;
  *popup = nullptr;
  if (!comment) return E_INVALIDARG;
  return ComTry([&] {
    auto* window = new CommentPopup(anchor, comment, markerHeight);
    window->AddRef();
    ComPtr<ICommentPopupWindow> made;
    made.Attach(window);
    window->Create();
    ShowWindow(window->GetHandle(), SW_SHOWNOACTIVATE);
    *popup = made.Detach();
  });
}

}  // namespace ScrivoClient
