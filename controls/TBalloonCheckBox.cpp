// QORControls::TBalloonCheckBox: hover tracking, the balloon and the content wrapping.
#include "controls/TBalloonCheckBox.h"

#include "controls/CBalloonHelp.h"

#include <cwctype>

namespace QORControls {

namespace {

constexpr POINT kAnchorOffset{7, 7};
constexpr int kMoveThreshold = 3;

bool IsBlank(wchar_t c) noexcept { return std::iswspace(c) && c != L'\n'; }

}  // namespace

std::wstring WrapBalloonContent(const std::wstring& content, int width) {
  if (content.empty() || (content.size() == 1 && std::iswspace(content[0]))) return L" \n";
  if (width < 3) return content;
  size_t const limit = static_cast<size_t>(width - 2);
  std::wstring work = content;
  std::wstring out;
  for (;;) {
    bool quoted = false;
    if (!work.empty() && work[0] == L'\x1') {
      quoted = true;
      work.erase(0, 1);
    }
    size_t start = 0;
    while (start < work.size() && IsBlank(work[start])) ++start;
    work.erase(0, start);
    if (work.empty()) break;

    bool const quotedAtStart = quoted;
    size_t candidate = std::wstring::npos;
    bool lineEnded = false;
    size_t i = 0;
    for (; i < work.size() && i < limit; ++i) {
      wchar_t const c = work[i];
      if (c == L'"') {
        quoted = !quoted;
      } else if (c == L'\n' || c == L'\r') {
        out += work.substr(0, i);
        out += L"\r\n";
        size_t next = i + 1;
        if (c == L'\r' && next < work.size() && work[next] == L'\n') ++next;
        work.erase(0, next);
        lineEnded = true;
        break;
      } else if (!quoted && (c == L',' || IsBlank(c))) {
        candidate = i;
        if (c != L',') {
          size_t run = i + 1;
          while (run < work.size() && IsBlank(work[run])) ++run;
          work.erase(i + 1, run - i - 1);
        }
      }
    }
    if (lineEnded) continue;
    if (i >= work.size()) {
      out += work;
      out += L"\r\n";
      break;
    }
    size_t const cut = candidate != std::wstring::npos ? candidate + 1 : std::min(limit + 1, work.size());
    bool inside = quotedAtStart;
    for (size_t k = 0; k < cut; ++k)
      if (work[k] == L'"') inside = !inside;
    out += work.substr(0, cut);
    out += L"\r\n";
    work.erase(0, cut);
    // Quoted text goes on quoted on the next line, so its blanks and commas stay unbroken.
    if (inside) work.insert(work.begin(), L'\x1');
  }
  return out;
}

TBalloonCheckBox::TBalloonCheckBox(OWL::TWindow* parent, int id, const wchar_t* caption, int y, OWL::TGroupBox* group)
    : OWL::TCheckBox(parent, id, caption, 0, y, 100, 16, group) {}

TBalloonCheckBox::TBalloonCheckBox(OWL::TWindow* parent, int resourceId) : OWL::TCheckBox(parent, resourceId) {}

void TBalloonCheckBox::SetBalloonText(const wchar_t* title, const wchar_t* content, int wrapWidth) {
  mEnabled = true;
  mTitle = title ? title : L"Title";
  mContent = content ? content : L"Content";
  if (wrapWidth > 0) mContent = WrapBalloonContent(mContent, wrapWidth);
}

void TBalloonCheckBox::ShowBalloon() {
  auto* balloon = new WTL::CBalloonHelp;
  OWL::TRect const window = GetWindowRect();
  balloon->SetAnchorPoint(POINT{window.left + kAnchorOffset.x, window.top + kAnchorOffset.y});
  balloon->SetMouseTolerance(kMoveThreshold);
  if (mIcon) balloon->SetIcon(static_cast<UINT>(mIcon));
  if (!balloon->Create(GetHandle(), mTitle.c_str(), mContent.c_str(), mOptions | 0x7200)) {
    delete balloon;
    return;
  }
  if (mLifetime > 0 && balloon->m_hWnd) balloon->SetTimer(1, mLifetime);
}

LRESULT TBalloonCheckBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE: {
      if (!mTracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, GetHandle(), 0};
        TrackMouseEvent(&track);
        mTracking = true;
        mClicked = false;
      }
      POINT const point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      int const dx = point.x - mLastPoint.x;
      int const dy = point.y - mLastPoint.y;
      if (dx * dx + dy * dy > kMoveThreshold * kMoveThreshold) {
        mLastPoint = point;
        if (mEnabled && !mClicked) {
          if (!mDue)
            SetTimer(kHoverTimer, mHoverDelay);
          else
            ShowBalloon();
        }
      }
      break;
    }
    case WM_TIMER:
      if (wParam != kHoverTimer) break;
      KillTimer(kHoverTimer);
      mDue = true;
      ShowBalloon();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
      KillTimer(kHoverTimer);
      mDue = false;
      mClicked = true;
      break;
    case WM_MOUSELEAVE:
      mTracking = mDue = mClicked = false;
      KillTimer(kHoverTimer);
      break;
    default:
      break;
  }
  return OWL::TCheckBox::WindowProc(msg, wParam, lParam);
}

void BalloonRadioButton::BNClicked() {
  if (GetCheck() == BST_CHECKED) TBalloonCheckBox::BNClicked();
}

}  // namespace QORControls
