// ScrivoDraw::PreviewDataPane: the data pane of a detection preview. It shows the recorded data,
// or, through the host's sampling control, data sampled now into an online sink; the preview
// bar switches between them and the trace bar stacks or overlays the traces.
#pragma once

#include "drawing/PaneControls.h"
#include "drawing/SimpleDataPane.h"
#include "hostapi/PreviewSampling.h"
#include "hostclient/ComPtr.h"

#include <functional>
#include <memory>

namespace ScrivoDraw {

// Mode flags bit 0: the pane makes a trace bar; the whole word is its initial button mask.
inline constexpr uint32_t kModeFlagTraceBar = 1;
// Trace bar actions.
inline constexpr int32_t kTraceStack = 2;
inline constexpr int32_t kTraceOverlay = 4;
inline constexpr int32_t kTraceSourceOnly = 8;

class PreviewDataPane : public DataPane, public PreviewControlOwner {
 public:
  explicit PreviewDataPane(IPaneDataSource* recorded = nullptr);

  // Makes the preview bar (and, with mode flag bit 0, the trace bar), then attaches as a pane.
  void AttachWindow(HWND parent, HWND window) noexcept;
  // Stops sampling; the stop's answer (S_FALSE without a sampling control).
  HRESULT DetachWindow() noexcept;
  // The right label column is at least as wide as the preview bar.
  HRESULT SetPageRect(const RECT& rect) noexcept;
  // The new source becomes the recorded data; an online sink is unhooked and dropped.
  HRESULT SetDataSource(uint32_t flags, IPaneDataSource* source, const int64_t* position) noexcept;
  // Lays the pane out and places the preview bar in the right label column and the trace bar
  // in the left one, both on the zoom bar's row; a trace bar wider than that column is hidden.
  HRESULT SetClientSize(SIZE size) noexcept;

  // PreviewControlOwner: 100 recorded data, 101 sample, 102 pause, 103 the current mode again.
  // Answers 0 without a sampling control, 103 for the mode already set, else the last HRESULT.
  int32_t SetMode(int32_t mode) override;
  bool HasSamplingSource() const override { return mSamplingSource.Get() != nullptr; }
  void AnnouncePreviewMode(bool live) override;
  void TraceAction(int32_t code, uint8_t flags) override;

  bool AskAllowed(bool allowed);
  HRESULT SetSamplingSource(IHostSamplingControl* control) noexcept;
  HRESULT StartSampling() noexcept;
  HRESULT StopSampling() noexcept;

  void SetModeFlags(uint32_t flags) noexcept { mModeFlags = flags; }
  void SetAllowCallback(std::function<bool(bool)> callback) { mAllowCallback = std::move(callback); }
  int32_t Mode() const noexcept { return mMode; }
  PreviewControl* PreviewBar() const noexcept { return mPreviewControl.get(); }
  PreviewControl* TraceBar() const noexcept { return mTraceControl.get(); }
  IPaneDataSource* OnlineSink() const noexcept { return mOnlineSink.Get(); }

 protected:
  ~PreviewDataPane() override;
  // Left to the window: the bars as children of its parent; none here.
  virtual std::unique_ptr<PreviewControl> CreatePreviewControl(uint32_t) { return nullptr; }
  virtual std::unique_ptr<PreviewControl> CreateTraceControl(uint32_t) { return nullptr; }
  // The height of the zoom bar's row under the lanes; the preview bar's own height here.
  virtual int32_t ZoomRowHeight();

 private:
  HRESULT StartRun();
  HRESULT MakeOnlineSink();
  void DropOnlineSink() noexcept;
  void ShowStartFailure(QOR::IQORString* text) noexcept;
  void StackTraces();
  // The pane window's left edge in its parent, where the bars live.
  int32_t WindowLeftInParent() const noexcept;

  int64_t mSavedPosition = 0;
  std::unique_ptr<PreviewControl> mPreviewControl;
  std::unique_ptr<PreviewControl> mTraceControl;
  QOR::ComPtr<IPaneDataSource> mRecordedSource;
  QOR::ComPtr<IPaneDataSource> mOnlineSink;
  QOR::ComPtr<IHostSamplingControl> mSamplingSource;
  int32_t mMode = kModeRecorded;
  uint32_t mModeFlags = 0;
  uint32_t mPreviewBarFlags = 0;
  std::function<bool(bool)> mAllowCallback;
};

}  // namespace ScrivoDraw
