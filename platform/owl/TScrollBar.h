// OWL::TScrollBar: a scroll bar control whose scroll actions are virtual, so that a derived
// bar can answer line, page and thumb moves its own way. The parent's WM_HSCROLL and
// WM_VSCROLL from the bar arrive at ScrollAction.
#pragma once

#include "platform/owl/TControl.h"

namespace OWL {

class TScrollBar : public TControl {
 public:
  TScrollBar(TWindow* parent, int id, int x, int y, int w, int h, bool isHScrollBar,
             TModule* module = nullptr);
  TScrollBar(TWindow* parent, int resourceId, TModule* module = nullptr);

  // Step sizes of the default line and page actions.
  int LineMagnitude = 1;
  int PageMagnitude = 10;

  virtual void GetRange(int& min, int& max) const;
  virtual void SetRange(int min, int max, bool redraw = true);
  virtual int GetPosition() const;
  // Clamped to the range.
  virtual void SetPosition(int thumbPos, bool redraw = true);
  // Moves the position by delta (clamped) and answers the change.
  int DeltaPos(int delta);
  bool GetScrollInfo(SCROLLINFO& info) const noexcept;
  int SetScrollInfo(const SCROLLINFO& info, bool redraw = true) noexcept;

  // Default actions: move by LineMagnitude or PageMagnitude, to the thumb, to the ends;
  // SBEndScroll does nothing.
  virtual void SBLineUp();
  virtual void SBLineDown();
  virtual void SBPageUp();
  virtual void SBPageDown();
  virtual void SBThumbPosition(int thumbPos);
  virtual void SBThumbTrack(int thumbPos);
  virtual void SBTop();
  virtual void SBBottom();
  virtual void SBEndScroll();
  // One scroll code (SB_LINEUP ... SB_ENDSCROLL) to its action.
  void ScrollAction(UINT code, int thumbPos);

  void SetupWindow() override;
  const wchar_t* GetClassName() override { return L"SCROLLBAR"; }
};

}  // namespace OWL
