// AnalysisScrollBar: scroll codes to the document's current event.
#include "views/AnalysisScrollBar.h"

#include "document/ZRDoc.h"
#include "views/AnalysisView.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

int32_t ThumbPositionNear(uint16_t carried, int32_t reference) noexcept {
  // The difference of the low 16 bits, read as a signed step from the reference.
  const auto step = static_cast<int16_t>(static_cast<uint16_t>(carried - static_cast<uint16_t>(reference)));
  const int64_t position = static_cast<int64_t>(reference) + step;
  return static_cast<int32_t>(std::clamp<int64_t>(position, 0, INT_MAX));
}

AnalysisScrollBar::AnalysisScrollBar(AnalysisView& view)
    : OWL::TScrollBar(&view, kControlId, 0, 0, 0, 0, true), mView(view) {
  Attr.Style &= ~static_cast<DWORD>(WS_TABSTOP);
  EnableAutoCreate();
}

void AnalysisScrollBar::OnScrollCode(UINT code, int thumbPos) {
  ZR::Doc::ZRDoc* const document = mView.Document();
  const int32_t count = mView.EventCount();
  if (!document || count <= 0) return;
  const int32_t page = mView.ScrollPage();
  if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
    OnThumb(code, thumbPos, page);
    return;
  }
  if (code == SB_ENDSCROLL) {
    document->ShowCurrentEventInHost();
    mTracking = false;
    return;
  }
  const int64_t current = document->CurrentEvent();
  int64_t next = current;
  switch (code) {
    case SB_LINEDOWN: next = current + 1; break;
    case SB_LINEUP: next = current - 1; break;
    case SB_PAGEDOWN: next = current + 2; break;
    case SB_PAGEUP: next = current - 2; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = count - 1; break;
    default: return;
  }
  next = std::clamp<int64_t>(next, 0, count - 1);
  document->SetCurrentEvent(static_cast<uint32_t>(next), ZR::Doc::kSelectTableRow);
}

// The positions one pixel of the thumb's travel stands for (0 when the bar cannot say): a thumb
// message carries the thumb's pixel turned back into a position, so positions nearer than that
// to where the thumb rests are the thumb at rest.
int32_t AnalysisScrollBar::PositionsPerPixel() {
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  if (!::GetScrollBarInfo(GetHandle(), OBJID_CLIENT, &bar) || !GetScrollInfo(info)) return 0;
  const int64_t travel = static_cast<int64_t>(bar.rcScrollBar.right - bar.rcScrollBar.left) - 2 * bar.dxyLineButton -
                         (bar.xyThumbBottom - bar.xyThumbTop);
  const int64_t span = static_cast<int64_t>(info.nMax) - info.nMin - static_cast<int64_t>(info.nPage) + 1;
  if (travel <= 0 || span <= 0) return 0;
  return static_cast<int32_t>(std::min<int64_t>((span + travel - 1) / travel, INT_MAX));
}

// A view without width has no page: a thumb position then names no event.
void AnalysisScrollBar::OnThumb(UINT code, int thumbPos, int32_t page) {
  if (page <= 0) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS | SIF_POS;
  if (!GetScrollInfo(info)) return;
  // The event the thumb rested on when the user took it.
  if (!mTracking) mRestEvent = mLastEvent;
  int32_t position = info.nTrackPos;
  if (code == SB_THUMBTRACK) {
    mTracking = true;
    mTrackPosition = position;
  } else {
    // Let go, the bar still holds the position where the drag began and the message carries
    // where the thumb is now, in 16 bits: widened from the last tracked position (from the
    // bar's own for a thumb let go without a tracking step).
    position = ThumbPositionNear(static_cast<uint16_t>(thumbPos), mTracking ? mTrackPosition : info.nPos);
  }
  // A thumb pressed, or moved, by less than one pixel has not left its event: the position its
  // pixel stands for can fall short of that event's page (or, with more events than pixels, on
  // another event's).
  const int64_t rest = static_cast<int64_t>(mRestEvent) * page;
  const bool resting = std::llabs(static_cast<int64_t>(position) - rest) < PositionsPerPixel();
  const int32_t event = resting ? mRestEvent : std::clamp<int32_t>(position / page, 0, mView.EventCount() - 1);
  if (event != mLastEvent) {
    mLastEvent = event;
    mView.Document()->SetCurrentEvent(static_cast<uint32_t>(event), ZR::Doc::kSelectTableRow);
  }
  // While the thumb is dragged it stays under the mouse; let go, it snaps to its event's page.
  if (code == SB_THUMBPOSITION) SetPosition(event * page);
}
