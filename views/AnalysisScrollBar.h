// AnalysisScrollBar: the Analysis View's event scroll bar: one page of its range per event;
// every scroll code, from the bar or from the view's keys, steps the document's current event.
#pragma once

#include "platform/owl/TScrollBar.h"

#include <cstdint>

class AnalysisView;

class AnalysisScrollBar final : public OWL::TScrollBar {
 public:
  static constexpr int kControlId = 100;

  explicit AnalysisScrollBar(AnalysisView& view);

  void SBLineUp() override { OnScrollCode(SB_LINEUP); }
  void SBLineDown() override { OnScrollCode(SB_LINEDOWN); }
  void SBPageUp() override { OnScrollCode(SB_PAGEUP); }
  void SBPageDown() override { OnScrollCode(SB_PAGEDOWN); }
  void SBThumbPosition(int) override { OnScrollCode(SB_THUMBPOSITION); }
  void SBThumbTrack(int) override { OnScrollCode(SB_THUMBTRACK); }
  void SBTop() override { OnScrollCode(SB_TOP); }
  void SBBottom() override { OnScrollCode(SB_BOTTOM); }
  void SBEndScroll() override { OnScrollCode(SB_ENDSCROLL); }

  // The one handler of every scroll code: the new current event goes to the document with the
  // Table View's row selection; the end of a scroll moves the host's view to it.
  void OnScrollCode(UINT code);

  bool Tracking() const noexcept { return mTracking; }
  int32_t LastEvent() const noexcept { return mLastEvent; }
  void SetLastEvent(int32_t event) noexcept { mLastEvent = event; }

 private:
  void OnThumb(UINT code, int32_t page);

  AnalysisView& mView;
  int32_t mLastEvent = 0;
  bool mTracking = false;
};
