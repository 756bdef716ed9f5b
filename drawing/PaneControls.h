// The small windows a data pane places around its own window (scroll bar, zoom bar, preview and
// trace bars), seen by the pane through these abstract classes, and what each bar asks of the
// pane that owns it. The bars never change the display themselves: every command goes to the
// owner, whose answers decide what is enabled.
#pragma once

#include "base/Rational.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace OWL {
class TCommandEnabler;
}

namespace ScrivoDraw {

class WindowBase {
 public:
  virtual ~WindowBase() = default;
};

// The preview bar (recorded data, sampling, pause) and the trace bar (stack, overlay, source only).
class PreviewControl : public WindowBase {
 public:
  // Moved without repainting.
  virtual void MoveTo(const RECT& rect) = 0;
  virtual bool IsEnabled() const = 0;
  // Nothing while the window does not exist.
  virtual void Enable(bool enable) = 0;
  // The bar's desired size.
  virtual SIZE GetSize() = 0;
  virtual void EnableButtons(uint32_t mask) = 0;
  virtual void Reset() = 0;
};

class ScrollBar : public WindowBase {
 public:
  virtual void MoveTo(const RECT& rect) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void Enable(bool enable) = 0;
  virtual int32_t GetPosition() const = 0;
  virtual void SetPosition(int32_t position, bool redraw) = 0;
  virtual bool GetScrollInfo(SCROLLINFO& info) const = 0;
  // Nothing while the window does not exist.
  virtual void SetScrollInfo(const SCROLLINFO& info, bool redraw) = 0;
  virtual int32_t GetLineMagnitude() const = 0;
  virtual int32_t GetPageMagnitude() const = 0;
  virtual void SetLineMagnitude(int32_t magnitude) = 0;
  // Nothing while the window does not exist.
  virtual void SetPageMagnitude(int32_t magnitude) = 0;
  virtual void Invalidate() = 0;
};

class ZoomControl : public WindowBase {
 public:
  // An empty rectangle hides the bar, any other shows it; moved without repainting.
  virtual void MoveTo(const RECT& rect) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void Enable(bool enable) = 0;
  virtual std::wstring FormatRatio(int64_t numerator, int64_t denominator) const = 0;
  // Shows FormatRatio's text in the ratio gadget.
  virtual void SetRatio(int64_t numerator, int64_t denominator) = 0;
  // The bar's desired width with the ratio gadget's height (0 without one).
  virtual SIZE GetSize() = 0;
  virtual void SetText(const std::wstring& text) = 0;
  virtual void SetAutoScaleTip(const std::wstring& tip) = 0;
  // Following puts the follow button up, not following puts it down.
  virtual void SetFollowState(bool following) = 0;
  // The ratio of a zoom menu entry, normalised; 0/1 for an id outside the menu.
  virtual QORRationalImp RatioFromMenuId(int32_t id) const = 0;
  virtual void Invalidate() = 0;
};

// What the scroll bar and the zoom bar ask of their pane.
class AxisControlOwner {
 public:
  // A scroll code of the horizontal scroll message (SB_LINELEFT ... SB_ENDSCROLL).
  virtual void OnScroll(int32_t code) = 0;
  virtual void SetFollow(bool on, bool apply) = 0;
  virtual void AutoScaleHorizontally(int32_t argument) = 0;
  // Whether zoom action n is possible: 1 expand, 2 compress, 3 the ratio menu, 4 auto-scale.
  virtual bool CanZoom(int32_t action) = 0;
  virtual void ZoomStep(bool in) = 0;
  // kind 1: the zoom menu; the enabler's id is the entry's command id.
  virtual void QueryZoomCommand(int32_t kind, OWL::TCommandEnabler& enabler) = 0;
  virtual void ExecuteZoomCommand(int32_t kind, int32_t id) = 0;
  // Fills menu with the entries first to last - 1, the current one checked.
  virtual void BuildZoomMenu(HMENU menu, int32_t first, int32_t last) = 0;

 protected:
  ~AxisControlOwner() = default;
};

// Preview modes.
inline constexpr int32_t kModeRecorded = 100;
inline constexpr int32_t kModeSampling = 101;
inline constexpr int32_t kModePaused = 102;
inline constexpr int32_t kModeAgain = 103;

// What the preview and trace bars ask of their pane.
class PreviewControlOwner {
 public:
  virtual int32_t SetMode(int32_t mode) = 0;
  virtual bool HasSamplingSource() const = 0;
  // The pane's subject announces the preview mode: live false with the recorded-data source,
  // true with the online sink.
  virtual void AnnouncePreviewMode(bool live) = 0;
  virtual void TraceAction(int32_t code, uint8_t flags) = 0;

 protected:
  ~PreviewControlOwner() = default;
};

}  // namespace ScrivoDraw
