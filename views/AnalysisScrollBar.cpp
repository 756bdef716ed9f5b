// AnalysisScrollBar: scroll codes to the document's current event.
#include "views/AnalysisScrollBar.h"

#include "document/ZRDoc.h"
#include "views/AnalysisView.h"

#include <algorithm>
#include <climits>

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

// A view without width has no page: a thumb position then names no event.
void AnalysisScrollBar::OnThumb(UINT code, int thumbPos, int32_t page) {
  if (page <= 0) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS | SIF_POS;
  if (!GetScrollInfo(info)) return;
  int32_t position = info.nTrackPos;
  if (code == SB_THUMBTRACK) {
    mTracking = true;
    mTrackPosition = position;
  } else {
    // Let go, the bar still holds the position where the drag began and the message carries
    // where the thumb is now, in 16 bits: widened from the last tracked position (from the
    // bar's own for a thumb let go without moving).
    position = ThumbPositionNear(static_cast<uint16_t>(thumbPos), mTracking ? mTrackPosition : info.nPos);
  }
  const int32_t event = std::clamp<int32_t>(position / page, 0, mView.EventCount() - 1);
  if (event != mLastEvent) {
    mLastEvent = event;
    mView.Document()->SetCurrentEvent(static_cast<uint32_t>(event), ZR::Doc::kSelectTableRow);
  }
  // While the thumb is dragged it stays under the mouse; let go, it snaps to its event's page.
  if (code == SB_THUMBPOSITION) SetPosition(event * page);
}
