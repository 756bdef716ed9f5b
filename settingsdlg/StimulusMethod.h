// ZR::Dlg::StimulusMethod: the "Stimulus artifacts" group of the evoked-response and
// population-spike pages: the method list (setting 1000) and the nested page it chooses,
// placed over the hidden group box 1028.
#pragma once

#include <cstdint>
#include <memory>

namespace OWL {
class TComboBox;
class TGroupBox;
}  // namespace OWL
namespace QORControls {
class TBitmapGroupBox;
}
namespace ZR {
class tCtrlList;
}

namespace ZR::Dlg {

class Sub_DetectorBase;
namespace Base {
class ZRSubSubDlg;
}

class StimulusMethod {
 public:
  // The methods offered, in list order.
  static constexpr int32_t kMethods[] = {2, 3, 4};

  // Makes the page's control objects; the page owns them as its children.
  explicit StimulusMethod(Sub_DetectorBase& page);
  ~StimulusMethod();

  // Lists the methods, turns a method not offered into the first, selects the stored one and
  // rebuilds the nested page.
  void Fill();
  // CBN_SELCHANGE of the list: the chosen method stored, the nested page rebuilt, the page
  // stored and previewed. Without a selection nothing changes.
  void OnChange();

  // The page operations over the nested page and the page's own list: stored both; valid
  // when both are (both asked, so that both show their errors); the methods filled, then the
  // list loaded.
  void StoreWith(tCtrlList& list);
  bool ValidWith(tCtrlList& list);
  void LoadWith(tCtrlList& list);
  Base::ZRSubSubDlg* Nested() const noexcept { return mNested.get(); }
  OWL::TComboBox& List() const noexcept { return *mList; }

 private:
  void RebuildNested();

  Sub_DetectorBase& mPage;
  OWL::TComboBox* mList;
  OWL::TGroupBox* mNestedPlace;
  QORControls::TBitmapGroupBox* mGroup;
  std::unique_ptr<Base::ZRSubSubDlg> mNested;
};

}  // namespace ZR::Dlg
