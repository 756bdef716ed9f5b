// WTL::CBalloonHelp's layout: the header (icon, title, close button) and the body (text and
// link), measured or drawn by the same code, and the rectangles derived from them.
#include "controls/CBalloonHelp.h"

#include "controls/ThemeGate.h"

#include <algorithm>

namespace WTL {
namespace {

constexpr int kMargin = kBalloonMargin;
constexpr UINT kTitleFormat = 0x860;    // single line, no prefix, tabs expanded
constexpr UINT kContentFormat = 0x850;  // word break, no prefix, tabs expanded
constexpr COLORREF kClassicLinkColour = RGB(0, 0, 0x84);

}  // namespace

RECT CBalloonHelp::WorkArea() const {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(mAnchor, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}
SIZE CBalloonHelp::LayoutHeader(HDC dc, const RECT& client, bool draw) {
  SIZE header{0, 0};
  int titleLeft = 0;
  if (mIcons) {
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(mIcons, &cx, &cy);
    if (draw) {
      ImageList_SetBkColor(mIcons, mBackgroundColour);
      ImageList_Draw(mIcons, 0, dc, client.left, client.top, ILD_NORMAL);
    }
    header.cx += cx;
    header.cy = std::max<LONG>(header.cy, cy);
    titleLeft = cx + kMargin;
  }
  int titleRight = client.right;
  if (mOptions & BalloonCloseButton) {
    if (Themed()) {
      ThemeCall const call{*mTooltipTheme, dc, 5, 1, nullptr};
      mCloseSize = CheckedGetThemePartSize(call, 1 /* TS_TRUE */);
    }
    RECT const button{client.right - mCloseSize.cx, client.top, client.right, client.top + mCloseSize.cy};
    if (draw) {
      RECT r = button;
      if (Themed()) {
        CheckedDrawThemeBackground(ThemeCall{*mTooltipTheme, dc, 5, 1, &r});
      } else {
        DrawFrameControl(dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_FLAT | mCloseState);
      }
    }
    titleRight = button.left - kMargin;
    header.cx += mCloseSize.cx;
    header.cy = std::max(header.cy, mCloseSize.cy);
  }
  wchar_t title[255] = L"";
  if (m_hWnd) GetWindowTextW(m_hWnd, title, 255);
  RECT text{client.left + titleLeft, client.top, titleRight, client.top};
  HGDIOBJ const old = SelectObject(dc, mTitleFont ? mTitleFont : GetStockObject(DEFAULT_GUI_FONT));
  if (title[0]) {
    if (Themed()) {
      RECT const bounds{0, 0, 32767, 32767};
      RECT const extent = CheckedGetThemeTextExtent(ThemeCall{*mTooltipTheme, dc, 4, 0, nullptr, title, kTitleFormat}, &bounds);
      text.right = text.left + (extent.right - extent.left);
      text.bottom = text.top + (extent.bottom - extent.top);
    } else {
      RECT measure{0, 0, 0, 0};
      DrawTextW(dc, title, -1, &measure, kTitleFormat | DT_CALCRECT);
      text.right = text.left + measure.right;
      text.bottom = text.top + measure.bottom;
    }
    if (header.cx > 0) header.cx += kMargin;
    header.cx += text.right - text.left;
    header.cy = std::max(header.cy, text.bottom - text.top);
    if (draw) {
      text.right = std::max(text.left, std::min<LONG>(text.right, titleRight));
      if (Themed()) {
        CheckedDrawThemeText(ThemeCall{*mTooltipTheme, dc, 4, 0, &text, title, kTitleFormat});
      } else {
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, title, -1, &text, kTitleFormat);
      }
    }
  }
  SelectObject(dc, old);
  return header;
}

SIZE CBalloonHelp::LayoutBody(HDC dc, int top, bool draw) {
  RECT const work = WorkArea();
  RECT content{0, top, (work.right - work.left) / 2, top};
  HGDIOBJ const old = SelectObject(dc, mContentFont ? mContentFont : GetStockObject(DEFAULT_GUI_FONT));
  if (!mContent.empty()) {
    RECT measure{0, top, (work.right - work.left) / 2, work.bottom - work.top};
    DrawTextW(dc, mContent.c_str(), -1, &measure, kContentFormat | DT_CALCRECT);
    content = measure;
    if (draw) {
      if (Themed()) {
        CheckedDrawThemeText(ThemeCall{*mTooltipTheme, dc, 3, 1, &content, mContent.c_str(), kContentFormat});
      } else {
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, mContent.c_str(), -1, &content, kContentFormat);
      }
    }
  } else {
    content.right = 0;
  }
  RECT body = content;
  mLinkRect = RECT{0, 0, 0, 0};
  if (!mLinkText.empty()) {
    RECT link{0, content.bottom, 0, content.bottom};
    DrawTextW(dc, mLinkText.c_str(), -1, &link, kTitleFormat | DT_CALCRECT);
    link.bottom += 1;
    if (draw) {
      if (Themed()) {
        CheckedDrawThemeText(ThemeCall{*mTextStyleTheme, dc, 6, 2, &link, mLinkText.c_str(), kTitleFormat});
      } else {
        SetBkMode(dc, TRANSPARENT);
        COLORREF const oldColour = SetTextColor(dc, kClassicLinkColour);
        DrawTextW(dc, mLinkText.c_str(), -1, &link, kTitleFormat);
        SetTextColor(dc, oldColour);
        HPEN const pen = CreatePen(PS_SOLID, 1, kClassicLinkColour);
        HGDIOBJ const oldPen = SelectObject(dc, pen);
        MoveToEx(dc, link.left, link.bottom - 1, nullptr);
        LineTo(dc, link.right + 1, link.bottom - 1);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
      }
    }
    mLinkRect = link;
    UnionRect(&body, &content, &link);
  }
  SelectObject(dc, old);
  return SIZE{body.right - std::min<LONG>(body.left, 0), body.bottom - top};
}

SIZE CBalloonHelp::Layout(HDC dc, const RECT& client, bool draw) {
  SIZE const header = LayoutHeader(dc, client, draw);
  SIZE const body = LayoutBody(dc, header.cy + kMargin, draw);
  return SIZE{std::max(header.cx, body.cx), header.cy + kMargin + body.cy};
}

SIZE CBalloonHelp::MeasureClient() {
  HDC const dc = GetDC(m_hWnd);
  SIZE size{0, 0};
  RECT const client = ClientRectInWindow();
  RECT const origin{0, 0, client.right - client.left, client.bottom - client.top};
  ThemeSafely([&] { size = Layout(dc, origin, false); });
  ReleaseDC(m_hWnd, dc);
  return size;
}

RECT CBalloonHelp::ClientRectInWindow() const {
  RECT const window{0, 0, mPlacement.Window.right - mPlacement.Window.left, mPlacement.Window.bottom - mPlacement.Window.top};
  return BalloonClientRect(window, mPlacement.Quadrant);
}

RECT CBalloonHelp::GetCloseButtonRect() const {
  if (!(mOptions & BalloonCloseButton)) return RECT{0, 0, 0, 0};
  RECT const client = ClientRectInWindow();
  int const width = client.right - client.left;
  return RECT{width - mCloseSize.cx, 0, width, mCloseSize.cy};
}

}  // namespace WTL
