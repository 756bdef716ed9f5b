// ScrivoDraw::PreviewDataWin and PreviewDataWinWButtons: the preview windows of the detection
// settings, with the preview bar and, in the second, the trace bar and the trace drawers it
// stacks, overlays or hides.
#pragma once

#include "base/CIArray.h"
#include "drawing/DataWin.h"
#include "drawing/IScrivoRecordDrawer.h"
#include "hostclient/ComPtr.h"

namespace ScrivoDraw {

class PreviewDataWin : public DataWin<PreviewDataPane> {
 public:
  PreviewDataWin(OWL::TWindow* parent, IPaneDataSource* recorded) : DataWin(parent, recorded) {}

 protected:
  std::unique_ptr<PreviewControl> CreatePreviewControl(uint32_t flags) override;
};

// A trace the preview shows in a lane; a derived trace (source id 2) is hidden while only the
// source trace is shown.
struct TraceDrawerItem {
  int32_t lane = 0;
  int32_t reserved = 0;
  QOR::ComPtr<IScrivoRecordDrawer> drawer;
  bool mDerived = false;
};

class PreviewDataWinWButtons final : public PreviewDataWin {
 public:
  PreviewDataWinWButtons(OWL::TWindow* parent, IPaneDataSource* recorded);
  ~PreviewDataWinWButtons() override;

  HRESULT AddTraceDrawer(IScrivoRecordDrawer* drawer) noexcept;
  // Removes every drawer of the lanes and every item; the trace bar's buttons go off.
  HRESULT ClearTraceDrawers() noexcept;
  void SetShowAllTraces(bool show) noexcept;
  bool ShowsAllTraces() const noexcept { return mShowAllTraces; }
  uint32_t TraceCount() const noexcept { return mTraceItems.Count(); }
  // The drawers in the order they were added (null past the end).
  IScrivoRecordDrawer* TraceDrawer(uint32_t index) const noexcept {
    return index < mTraceItems.Count() ? mTraceItems.At(index)->drawer.Get() : nullptr;
  }

 protected:
  std::unique_ptr<PreviewControl> CreateTraceControl(uint32_t mask) override;

 private:
  bool AnyDerived() const noexcept;
  void RelayoutTraceDrawers() noexcept;

  CIArray<TraceDrawerItem> mTraceItems{0, 8};
  bool mShowAllTraces = true;
};

}  // namespace ScrivoDraw
