// ZR::Dlg::SettingsDlg: "Ondara Settings": the Setup group (analysis type, source channel,
// region mode), four tabs with one page at a time, the source channel's error icon and the Help
// button, over the dialog's own copy of the analysis settings. A page is left, and the dialog
// closed with OK, only while the page is valid.
#pragma once

#include "base/UnitPrefix.h"
#include "controls/DialogBase.h"
#include "document/SettingsDialogRunner.h"
#include "document/SettingsStore.h"
#include "hostapi/HostDocument.h"

#include <cstdint>

namespace OWL {
class TComboBox;
class TGroupBox;
class TRadioButton;
class TStatic;
class TTabControl;
}  // namespace OWL
namespace QORControls {
class ErrorProvider;
class TBmpTxtButton;
}  // namespace QORControls
namespace ZR::Doc {
class ZRDoc;
}

namespace ZR::Dlg {

namespace Base {
class ZRSubDlg;
}

using PreviewSetup = Doc::PreviewSetup;

class SettingsDlg : public QOR::DialogBase {
 public:
  static constexpr int kTabCount = 4;

  // hostDocument: the host document of the analysis document; lock nonzero disables the Setup
  // group. The store is a copy of the analysis document's settings.
  SettingsDlg(OWL::TWindow* parent, IHostDocument* hostDocument, int32_t lock, const PreviewSetup& preview);
  ~SettingsDlg() override;

  // The analysis document of a host document, with a reference; null when it has none.
  static Doc::ZRDoc* DocumentOf(IUnknown* hostDocument) noexcept;
  // The page class the dialog shows for an analysis type and tab; null outside 0-5 and 0-3.
  static const wchar_t* PageClassName(int type, int tab) noexcept;

  Doc::SettingsStore& Store() noexcept { return mStore; }
  IHostDocument* HostDocument() const noexcept { return mHostDocument; }
  Doc::ZRDoc* AnalysisDocument() const noexcept { return mDocument; }
  const PreviewSetup& Preview() const noexcept { return mPreview; }
  int32_t Lock() const noexcept { return mLock; }
  const QOR::UnitWithPrefix& ChannelUnits() const noexcept { return mChannelUnits; }
  Base::ZRSubDlg* CurrentPage() const noexcept { return mPage; }
  // Set while the dialog or a page writes controls, stores or rebuilds: notifications that
  // arrive meanwhile are dropped.
  bool& UpdatingFlag() noexcept { return mUpdating; }
  QORControls::ErrorProvider& SourceError() const noexcept { return *mSourceError; }

  void SetupWindow() override;
  void CleanupWindow() override;
  bool CanClose() override;
  virtual void OnOk();

  // The source at the list's selection may be used (no channel calculation of this module on
  // it); shows or hides the error icon accordingly.
  bool CheckSourceChannel();

 protected:
  // The page of the type (0 to 5) and tab (0 to 3); null outside them.
  virtual Base::ZRSubDlg* MakePage(int type, int tab);

 private:
  // The Calculations page of a type 0 to 5.
  Base::ZRSubDlg* MakeCalculationsPage(int type);

 private:
  void ShowPage();
  void StoreDialogState();
  void RefreshChannelUnits();
  void FillSourceList();
  int SelectedType() const noexcept;
  void Warn();

  LRESULT OnTabChanging(NMHDR&);
  void OnAnalysisTypeChange();
  void OnSourceChange();
  void OnRegionModeClick();
  void CmHelp();

  Doc::SettingsStore mStore;
  bool mUpdating = false;
  PreviewSetup mPreview;
  IHostDocument* mHostDocument;  // borrowed for the dialog's life
  Doc::ZRDoc* mDocument;         // not counted: the document outlives its dialog
  OWL::TComboBox* mTypeList;
  OWL::TComboBox* mSourceList;
  OWL::TRadioButton* mSelection;
  OWL::TRadioButton* mChannel;
  OWL::TTabControl* mTabs;
  OWL::TStatic* mTypeLabel;
  OWL::TStatic* mSourceLabel;
  OWL::TGroupBox* mSetupGroup;
  QORControls::TBmpTxtButton* mHelp;
  Base::ZRSubDlg* mPage = nullptr;
  QOR::UnitWithPrefix mChannelUnits;
  int32_t mLock;
  QORControls::ErrorProvider* mSourceError;

  DECLARE_RESPONSE_TABLE(SettingsDlg);
};

}  // namespace ZR::Dlg
