// ZR::Dlg::Sub_DetectorBase: the stimulated detector pages' common part: their detection
// preview, rebuilt at once after a click or a spin step and one second after the last
// keystroke, and the change and spin cycles that run a control's notification through the
// page's wrappers.
#pragma once

#include "settingsdlg/DetectionPreview.h"
#include "settingsdlg/ZRSubDlg.h"

#include <commctrl.h>

#include <memory>

namespace ZR {
class tCtrlList;
}
namespace ZR::Doc {
class SettingsStore;
}

namespace ZR::Dlg {

class Sub_DetectorBase : public Base::ZRSubDlgDA {
 public:
  static constexpr uint32_t kPreviewTimer = 107;

  Sub_DetectorBase(int dialogId, SettingsDlg* owner, IUnknown* hostDataDocument);
  ~Sub_DetectorBase() override;

  // Refresh from the store (the source channel changed): the controls take the channel's unit and
  // are loaded, stored and, when valid, previewed; the preview's value axis takes the channel's range.
  void Load() override;
  void SchedulePreview(bool immediate) override;
  void UpdatePreview(bool wholeChannel) override;
  // Timer 107 fired: store, and rebuild the preview when the page is valid.
  void OnValueChanged() override;
  virtual void LoadControls() = 0;
  // The page's own wrappers (a nested page keeps its own).
  virtual tCtrlList& Controls() noexcept = 0;

  void SetupWindow() override;
  void CleanupWindow() override;

  DetectionPreview* Preview() const noexcept { return mPreview.get(); }
  Doc::SettingsStore& SettingsStore() const noexcept;
  // The owning dialog's updating flag (the page's own without one).
  bool& Updating() noexcept;

  // A control's change through list: revalidated, the page stored and, when valid, previewed
  // (at once for clicks, one second later for typing). Nested pages pass their own list.
  void ChangeCycle(tCtrlList& list, int32_t controlId, bool immediate);
  // A spin step for the edit editId; answers the wrapper's result for Windows.
  LRESULT SpinCycle(tCtrlList& list, int32_t editId, NMHDR& header);

 private:
  std::unique_ptr<DetectionPreview> mPreview;
  bool mOwnUpdating = false;
};

}  // namespace ZR::Dlg
