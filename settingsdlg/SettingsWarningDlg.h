// ZR::SettingsWarningDlg: the message that settings are invalid, showing the marker the pages
// put beside each invalid control. Its only button is IDCANCEL: it always ends with 2.
#pragma once

#include "controls/DialogBase.h"

namespace OWL {
class TStatic;
}
namespace QORControls {
class BitmapWindow;
}

namespace ZR {

class SettingsWarningDlg : public QOR::DialogBase {
 public:
  explicit SettingsWarningDlg(OWL::TWindow* parent);

  // The dialog set-up, then the system's warning icon in the icon static.
  void SetupWindow() override;

 private:
  OWL::TStatic* mIcon;
  QORControls::BitmapWindow* mMarker;
};

}  // namespace ZR
