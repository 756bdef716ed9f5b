// ZR::Dlg::Sub_TableOptions: the "Table Options" page: one balloon check box per measurement of
// the analysis type, switching its Table View column, laid out in columns inside a hidden
// boundary, and the summary pane switch.
#pragma once

#include "platform/uihelpers/ScreenDpi.h"
#include "settingsdlg/ZRSubDlg.h"

#include <vector>

namespace OWL {
class TCheckBox;
class TGroupBox;
}
namespace QORControls {
class TBalloonCheckBox;
}

namespace ZR::Dlg {

// Where count check boxes go in a boundary of width by height pixels on a screen of dpi (their
// sizes and pitches are pixels at 96 dpi, scaled to the screen's resolution): rows and columns
// (columns filled top to bottom, at least three) and the block's offsets from the boundary's
// corner. A boundary lower than one row still takes one row.
struct TableOptionsGrid {
  int rows;
  int columns;
  int top;
  int left;
};
TableOptionsGrid LayOutTableOptions(int count, int width, int height, int dpi = QOR::kBaseDpi) noexcept;

class Sub_TableOptions : public Base::ZRSubDlg {
 public:
  static constexpr int kColumnPitch = 140;
  static constexpr int kRowPitch = 24;

  Sub_TableOptions(SettingsDlg* owner, IUnknown* hostDataDocument);
  ~Sub_TableOptions() override;

  void Store() override;
  bool IsValid() override { return true; }
  void Load() override;
  void SchedulePreview(bool) override {}

  void SetupWindow() override;
  int Count() const noexcept { return static_cast<int>(mBoxes.size()); }
  QORControls::TBalloonCheckBox& Box(int k) const noexcept { return *mBoxes[static_cast<size_t>(k)]; }
  // The boundary's last measured size and grid.
  const TableOptionsGrid& Grid() const noexcept { return mGrid; }

  void CmCheckAll();
  void CmUncheckAll();

 private:
  void PlaceBoxes();

  OWL::TCheckBox* mSummary;
  OWL::TGroupBox* mGroup;
  OWL::TGroupBox* mBoundary;
  std::vector<QORControls::TBalloonCheckBox*> mBoxes;
  int mType;
  TableOptionsGrid mGrid{1, 3, 0, 0};

  DECLARE_RESPONSE_TABLE(Sub_TableOptions);
};

}  // namespace ZR::Dlg
