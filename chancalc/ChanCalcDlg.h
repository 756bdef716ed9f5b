// ZR::ChanCalc::Dlg: the channel calculation's settings dialog: the measurement, the scale with
// its units, the decimal places and auto scaling, over a working copy of the settings.
#pragma once

#include "base/UnitPrefix.h"
#include "chancalc/SettingsCOM.h"
#include "controls/DialogBase.h"
#include "hostapi/HostDocument.h"
#include "hostclient/ComPtr.h"

#include <string>
#include <vector>

namespace OWL {
class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TStatic;
class TUpDown;
}  // namespace OWL
namespace QORControls {
class TBmpTxtButton;
}
namespace ZR::Doc {
class ZRDoc;
}

namespace ZR::ChanCalc {

// The scale edits' text of a value (six significant digits) and its reading, both with the
// user's decimal separator; Parse is false, leaving value alone, for a text that is not one
// whole number.
std::wstring FormatScale(double value);
bool ParseScale(const std::wstring& text, double& value);

// The measurement list leaves out the catalogue indexes given (sorted): a list position counts
// the indexes kept, and an index maps back to its position.
int CatalogueIndexFromListPos(int position, const std::vector<int>& leftOut) noexcept;
int ListPosFromCatalogueIndex(int index, const std::vector<int>& leftOut) noexcept;

class Dlg : public QOR::DialogBase {
 public:
  // The parameter id never offered: the peak's time and date stamp.
  static constexpr int32_t kTimeStampId = 58;

  // settings: the working copy (one reference held); document: the analysis document of the
  // host document, which must not be null.
  Dlg(OWL::TWindow* parent, IHostDocument* hostDocument, Doc::ZRDoc& document, SettingsCOM* settings);
  ~Dlg() override;

  SettingsCOM& Settings() const noexcept { return *mSettings; }
  const std::vector<int>& LeftOut() const noexcept { return mLeftOut; }
  const QOR::UnitWithPrefix& ParameterUnit() const noexcept { return mParameterUnit; }

  void SetupWindow() override;
  void CleanupWindow() override;
  // Reads the controls into the settings.
  bool CanClose() override;

  void ReadControls();

 private:
  void FillParameterList();
  void UpdateControls();
  void UpdateUnits();
  void UpdateSettingsButton();
  void EnableScaleControls();
  int CatalogueCount() const;

  void CmHelp();
  void CmSettings();
  void EvParameterChanged();
  LRESULT EvSpin(NMHDR& header);
  void EvDecimalsTyped();
  void CmAutoScale();

  bool mUpdating = false;
  bool mSetUp = false;
  ComPtr<SettingsCOM> mSettings;
  IHostDocument* mHostDocument;  // borrowed for the dialog's life
  Doc::ZRDoc& mDocument;
  int mType;
  std::vector<int> mLeftOut;
  OWL::TComboBox* mParameters;
  OWL::TButton* mSettingsButton;
  OWL::TStatic* mTopLabel;
  OWL::TEdit* mTop;
  OWL::TStatic* mTopUnits;
  OWL::TStatic* mBottomLabel;
  OWL::TEdit* mBottom;
  OWL::TStatic* mBottomUnits;
  OWL::TEdit* mDecimals;
  OWL::TUpDown* mSpin;
  OWL::TCheckBox* mAutoScale;
  OWL::TEdit* mTypeName;
  QOR::UnitWithPrefix mSourceUnit;
  QOR::UnitWithPrefix mParameterUnit;
  QORControls::TBmpTxtButton* mHelp;

  DECLARE_RESPONSE_TABLE(Dlg);
};

}  // namespace ZR::ChanCalc
