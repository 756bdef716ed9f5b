// ZR::tCtrl: the base of the wrappers that bind one settings-page control to one setting: the
// setting's lookup, its validity and the error shown beside the control; ZR::tValueCtrl adds the
// value as a number.
#pragma once

#include "base/String.h"
#include "document/SettingIds.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>

namespace OWL {
class TWindow;
}
namespace QORControls {
class ErrorProvider;
class StaticTextErrorProvider;
}
namespace ZR::Doc {
class SettingsStore;
class ZRSetting;
}

namespace ZR {

// Wrappers are built by a page before its window exists and are owned by a control list, which
// must go before the page's window object (the wrapped control objects are its children).
class tCtrl {
 public:
  // errorIconId: the dialog item the error icon sits on; below 1 for none.
  tCtrl(Doc::SettingsStore* store, OWL::TWindow* parent, Doc::SettingId settingId, int32_t controlId,
        int32_t errorIconId);
  virtual ~tCtrl();
  tCtrl(const tCtrl&) = delete;
  tCtrl& operator=(const tCtrl&) = delete;

  // The control into the setting.
  virtual void Store() = 0;
  // The setting into the control, then the error shown when it is invalid.
  virtual void Load();
  virtual void Enable(bool enable) = 0;
  // Shows the controls, or hides them while the hidden flag is set.
  virtual void UpdateVisibility() = 0;
  // The control reported a change.
  virtual void Revalidate() {}
  // An up-down notification for this wrapper; 0.
  virtual int OnSpin(int32_t first, const NMUPDOWN* notification);
  // Stores the control first (validating commits), then asks the setting.
  virtual bool IsValid();
  // The setting's caption and message on the error icon, or the icon cleared.
  virtual void ShowError(bool show);

  // The given caption and message (or nothing) on the error icon, else on the label error
  // display; nowhere without either.
  void ShowErrorText(bool show, const QOR::String& caption, const QOR::String& message);

  bool IsHidden() const noexcept { return mHidden; }
  void SetHidden(bool hidden) noexcept { mHidden = hidden; }
  Doc::SettingId SettingId() const noexcept { return mSettingId; }
  int32_t ControlId() const noexcept { return mControlId; }
  QORControls::ErrorProvider* ErrorIcon() const noexcept { return mErrorIcon.get(); }
  QORControls::StaticTextErrorProvider* LabelError() const noexcept { return mLabelError.get(); }

 protected:
  // The bound setting: ids 2000 to 2999 among the global settings, others in the analysis
  // channel's group; null when missing.
  Doc::ZRSetting* Setting() const noexcept;
  Doc::SettingsStore& SettingsStore() const noexcept { return *mStore; }
  OWL::TWindow* Parent() const noexcept { return mParent; }
  // Made by the label-error wrappers for their label item.
  void MakeLabelError(int32_t labelId);

 private:
  bool mHidden = false;
  Doc::SettingsStore* mStore;
  OWL::TWindow* mParent;
  Doc::SettingId mSettingId;
  int32_t mControlId;
  int32_t mErrorIconId;
  // Declared so that the label error display goes before the error icon.
  std::unique_ptr<QORControls::ErrorProvider> mErrorIcon;
  std::unique_ptr<QORControls::StaticTextErrorProvider> mLabelError;
};

class tValueCtrl : public tCtrl {
 public:
  using tCtrl::tCtrl;
  // Stores the control first; NaN without a setting.
  virtual double GetValue();
};

}  // namespace ZR
