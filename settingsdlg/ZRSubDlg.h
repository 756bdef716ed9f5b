// The settings pages' bases: ZRTabSubDlg2 links a page to the settings dialog and the documents;
// ZRSubDlg is every tab page, ZRSubDlgDA a tab page with a detection preview, ZRSubSubDlg a page
// nested in a tab page. The frame stores, validates and reloads a page through them.
#pragma once

#include "settingsdlg/TabSubDlg.h"

#include <unknwn.h>

#include <cstdint>

namespace ZR::Doc {
class ZRDoc;
}

namespace ZR::Dlg {

class SettingsDlg;

namespace Base {

template <class PageBase>
class ZRTabSubDlg2 : public PageBase {
 public:
  // owner may be null (then the page has no store to work on); the analysis document is found
  // from hostDataDocument.
  ZRTabSubDlg2(OWL::TWindow* parent, const OWL::TResId& resId, SettingsDlg* owner, IUnknown* hostDataDocument);

  SettingsDlg* Owner() const noexcept { return mOwner; }
  IUnknown* HostDataDocument() const noexcept { return mHostDataDocument; }
  Doc::ZRDoc* AnalysisDocument() const noexcept { return mDocument; }

 private:
  SettingsDlg* mOwner;
  IUnknown* mHostDataDocument;  // borrowed for the page's life
  Doc::ZRDoc* mDocument;        // not counted: the document outlives its dialog
};

class ZRSubDlg : public ZRTabSubDlg2<ExtLib::TabSubDlg> {
 public:
  // The parent window is the owner's.
  ZRSubDlg(const OWL::TResId& resId, SettingsDlg* owner, IUnknown* hostDataDocument);

  virtual void Store() = 0;
  virtual bool IsValid() = 0;
  virtual void Load() = 0;
  virtual void SchedulePreview(bool immediate) = 0;
  // Nothing here; the frame calls it with true when the whole channel is analysed.
  virtual void UpdatePreview(bool wholeChannel);
};

class ZRSubDlgDA : public ZRSubDlg {
 public:
  ZRSubDlgDA(const OWL::TResId& resId, SettingsDlg* owner, IUnknown* hostDataDocument, uint32_t timerId);

  // The preview timer fired (any timer id): the timer is killed, then this runs.
  virtual void OnValueChanged() = 0;
  uint32_t TimerId() const noexcept { return mTimerId; }
  uint32_t PreviewDelay() const noexcept { return mPreviewDelay; }

  void EvTimer(UINT timerId);

 private:
  uint32_t mTimerId;
  uint32_t mPreviewDelay = 1000;

  DECLARE_RESPONSE_TABLE(ZRSubDlgDA);
};

class ZRSubSubDlg : public ZRTabSubDlg2<ExtLib::TabSubSubDlg> {
 public:
  // The parent window is parentPage's.
  ZRSubSubDlg(const OWL::TResId& resId, SettingsDlg* owner, IUnknown* hostDataDocument, OWL::TWindow* parentPage);

  virtual void Store() = 0;
  virtual bool IsValid() = 0;

 private:
  OWL::TWindow* mParentPage;
};

}  // namespace Base
}  // namespace ZR::Dlg
