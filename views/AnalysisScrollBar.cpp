// AnalysisScrollBar: scroll codes to the document's current event.
#include "views/AnalysisScrollBar.h"

#include "document/ZRDoc.h"
#include "views/AnalysisView.h"

#include <algorithm>

AnalysisScrollBar::AnalysisScrollBar(AnalysisView& view)
    : OWL::TScrollBar(&view, kControlId, 0, 0, 0, 0, true), mView(view) {
  Attr.Style &= ~static_cast<DWORD>(WS_TABSTOP);
  EnableAutoCreate();
}

void AnalysisScrollBar::OnScrollCode(UINT code) {
  ZR::Doc::ZRDoc* const document = mView.Document();
  const int32_t count = mView.EventCount();
  if (!document || count <= 0) return;
  const int32_t page = mView.ScrollPage();
  if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
    OnThumb(code, page);
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
void AnalysisScrollBar::OnThumb(UINT code, int32_t page) {
  if (page <= 0) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = code == SB_THUMBTRACK ? SIF_TRACKPOS : SIF_POS;
  if (!GetScrollInfo(info)) return;
  if (code == SB_THUMBTRACK) mTracking = true;
  const int32_t position = code == SB_THUMBTRACK ? info.nTrackPos : info.nPos;
  const int32_t event = std::clamp<int32_t>(position / page, 0, mView.EventCount() - 1);
  if (event != mLastEvent) {
    mLastEvent = event;
    mView.Document()->SetCurrentEvent(static_cast<uint32_t>(event), ZR::Doc::kSelectTableRow);
  }
  // While the thumb is dragged it stays under the mouse; let go, it snaps to its event's page.
  if (code == SB_THUMBPOSITION) SetPosition(event * page);
}
