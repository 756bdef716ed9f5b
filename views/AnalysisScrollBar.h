// AnalysisScrollBar: the Analysis View's event scroll bar: one page of its range per event;
// every scroll code, from the bar or from the view's keys, steps the document's current event.
#pragma once

#include "platform/owl/TScrollBar.h"

#include <cstdint>

class AnalysisView;

// The scroll position whose low 16 bits a thumb message carries, taken as the one of that kind
// nearest to reference (a position known from the same drag): a message carries only 16 bits of
// a range that can reach 32. At least 0.
int32_t ThumbPositionNear(uint16_t carried, int32_t reference) noexcept;

class AnalysisScrollBar final : public OWL::TScrollBar {
 public:
  static constexpr int kControlId = 100;

  explicit AnalysisScrollBar(AnalysisView& view);

  void SBLineUp() override { OnScrollCode(SB_LINEUP); }
  void SBLineDown() override { OnScrollCode(SB_LINEDOWN); }
  void SBPageUp() override { OnScrollCode(SB_PAGEUP); }
  void SBPageDown() override { OnScrollCode(SB_PAGEDOWN); }
  void SBThumbPosition(int thumbPos) override { OnScrollCode(SB_THUMBPOSITION, thumbPos); }
  void SBThumbTrack(int thumbPos) override { OnScrollCode(SB_THUMBTRACK, thumbPos); }
  void SBTop() override { OnScrollCode(SB_TOP); }
  void SBBottom() override { OnScrollCode(SB_BOTTOM); }
  void SBEndScroll() override { OnScrollCode(SB_ENDSCROLL); }

  // The one handler of every scroll code: the new current event goes to the document with the
  // Table View's row selection; the end of a scroll moves the host's view to it. thumbPos is
  // what a thumb message carries.
  void OnScrollCode(UINT code, int thumbPos = 0);

  bool Tracking() const noexcept { return mTracking; }
  void SetLastEvent(int32_t event) noexcept { mLastEvent = event; }

 private:
  void OnThumb(UINT code, int thumbPos, int32_t page);
  int32_t PositionsPerPixel();

  AnalysisView& mView;
  int32_t mLastEvent = 0;
  int32_t mRestEvent = 0;  // the event the thumb rested on when the present drag began
  int32_t mTrackPosition = 0;  // the thumb's position at the last tracking step of this drag
  bool mTracking = false;
};
