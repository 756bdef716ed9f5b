// TableView::SigFigDialog: the "Format Column" dialog (template 1004) in which the user chooses
// a column's significant figures and whether they apply to every column.
#pragma once

#include "controls/DialogBase.h"

#include <windows.h>

#include <cstdint>

class IntEdit;
namespace OWL {
class TCheckBox;
class TUpDown;
}

namespace TableView {

// Control ids of the dialog.
inline constexpr int kSigFigEditId = 1001;
inline constexpr int kSigFigApplyAllId = 1002;
inline constexpr int kSigFigUpDownId = 1003;
// The figures the dialog accepts.
inline constexpr int32_t kSigFigMin = 1;
inline constexpr int32_t kSigFigMax = 10;

class SigFigDialog : public QOR::DialogBase {
 public:
  explicit SigFigDialog(OWL::TWindow* parent, OWL::TModule* module = nullptr);

  // Set before the dialog runs; read back only when it ends with IDOK.
  int32_t SignificantFigures = 4;
  bool ApplyToAll = false;

  void SetupWindow() override;

 private:
  // Takes the typed figures and the box, then closes only when the edit's range accepts them
  // (its message shows otherwise).
  void CmOk();

  IntEdit* mEdit;
  OWL::TUpDown* mUpDown;
  OWL::TCheckBox* mApplyAll;

  DECLARE_RESPONSE_TABLE(SigFigDialog);
};

struct SigFigValues {
  int32_t Figures = 4;
  bool ApplyToAll = false;
};

// Runs the dialog modally over parent (through the modal seam) showing values; IDOK leaves the
// user's choice in values, any other answer (IDCANCEL) leaves them as they were.
INT_PTR RunSigFigDialog(OWL::TWindow* parent, SigFigValues& values);

}  // namespace TableView
