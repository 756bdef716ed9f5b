// The detector preview's axis defaults.
#include "settingsdlg/ZRPreviewBase.h"

#include "drawing/PreviewDataWin.h"

namespace ZR {

bool ZRPreviewBase::GetDefaultAxisRange(ExtLib::AxisRange* out, int32_t which, const ExtLib::AxisRange* given,
                                        Doc::SettingsStore*) {
  if (!out) return false;
  if (given) {
    *out = *given;
    return true;
  }
  // The ends reversed, as the preview has always drawn its first range.
  if (which == 0) {
    *out = ExtLib::AxisRange{1.0, -1.0};
    return true;
  }
  double first = 0.0;
  double second = 0.0;
  if (!Window() || FAILED(Window()->GetAxisRange(1, &first, &second))) return false;
  *out = ExtLib::AxisRange{first, second};
  return true;
}

void ZRPreviewBase::ResetScale(int32_t which, const ExtLib::AxisRange* given) {
  ExtLib::AxisRange range{0.0, 0.0};
  bool const known = GetDefaultAxisRange(&range, which, given, settings);
  PreviewPaneBase::ResetScale(which, known ? &range : nullptr);
}

}  // namespace ZR
