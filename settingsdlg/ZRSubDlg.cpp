// The settings pages' bases.
#include "settingsdlg/ZRSubDlg.h"

#include "document/ZRDoc.h"
#include "hostapi/DataDocument.h"
#include "hostclient/ComPtr.h"
#include "settingsdlg/SettingsDlg.h"

namespace ZR::Dlg::Base {

namespace {

// The analysis document of the data document; the reference of the lookup is given back, as the
// document outlives its settings dialog.
Doc::ZRDoc* FindDocument(IUnknown* hostDataDocument) noexcept {
  Doc::ZRDoc* const document = SettingsDlg::DocumentOf(hostDataDocument);
  if (document) document->Release();
  return document;
}

}  // namespace

template <class PageBase>
ZRTabSubDlg2<PageBase>::ZRTabSubDlg2(OWL::TWindow* parent, const OWL::TResId& resId, SettingsDlg* owner,
                                     IUnknown* hostDataDocument)
    : PageBase(parent, resId), mOwner(owner), mHostDataDocument(hostDataDocument),
      mDocument(FindDocument(hostDataDocument)) {}

template class ZRTabSubDlg2<ExtLib::TabSubDlg>;
template class ZRTabSubDlg2<ExtLib::TabSubSubDlg>;

ZRSubDlg::ZRSubDlg(const OWL::TResId& resId, SettingsDlg* owner, IUnknown* hostDataDocument)
    : ZRTabSubDlg2(owner, resId, owner, hostDataDocument) {}

void ZRSubDlg::UpdatePreview(bool) {}

DEFINE_RESPONSE_TABLE1(ZRSubDlgDA, ZRSubDlg)
  EV_WM_TIMER,
END_RESPONSE_TABLE;

ZRSubDlgDA::ZRSubDlgDA(const OWL::TResId& resId, SettingsDlg* owner, IUnknown* hostDataDocument, uint32_t timerId)
    : ZRSubDlg(resId, owner, hostDataDocument), mTimerId(timerId) {}

void ZRSubDlgDA::EvTimer(UINT) {
  KillTimer(mTimerId);
  OnValueChanged();
}

ZRSubSubDlg::ZRSubSubDlg(const OWL::TResId& resId, SettingsDlg* owner, IUnknown* hostDataDocument,
                         OWL::TWindow* parentPage)
    : ZRTabSubDlg2(parentPage, resId, owner, hostDataDocument), mParentPage(parentPage) {}

}  // namespace ZR::Dlg::Base
