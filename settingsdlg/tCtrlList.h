// ZR::tCtrlList: the wrappers of a settings page and, nested in it, lists of wrappers that belong
// together; the page loads, stores, validates and enables them with one call each and hands
// control notifications to the wrapper bound to the control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace ZR {

class tCtrl;

class tCtrlList {
 public:
  tCtrlList() = default;
  virtual ~tCtrlList();
  tCtrlList(const tCtrlList&) = delete;
  tCtrlList& operator=(const tCtrlList&) = delete;

  // Both take ownership and keep the order of adding.
  virtual void AddList(tCtrlList* list);
  virtual void AddCtrl(tCtrl* ctrl);
  // Each member's Load and UpdateVisibility, then each nested list's LoadAll.
  virtual void LoadAll();
  // Members that are not hidden, then the nested lists.
  virtual void StoreAll();
  virtual bool AllValid();
  // The wrapper bound to the control revalidates itself.
  virtual void OnControlNotify(int32_t controlId);
  virtual void SetHidden(int32_t controlId, bool hidden);
  // Every member, hidden or not, then the nested lists.
  virtual void EnableAll(bool enable);
  virtual int OnSpinNotify(int32_t controlId, int32_t first, const NMUPDOWN* notification);

  // A member bound to the control, else one of a nested list's own members; null beyond.
  tCtrl* FindCtrl(int32_t controlId) const noexcept;
  // The first nested list holding a member bound to the control; -1 for none.
  int32_t FindNestedIndex(int32_t controlId) const noexcept;
  size_t CtrlCount() const noexcept { return mCtrls.size(); }
  tCtrl& Ctrl(size_t i) const noexcept { return *mCtrls[i]; }

 protected:
  tCtrl* FindOwnCtrl(int32_t controlId) const noexcept;
  tCtrlList* NestedListOf(int32_t controlId) const noexcept;

 private:
  // Declared so that the nested lists go before the members.
  std::vector<std::unique_ptr<tCtrl>> mCtrls;
  std::vector<std::unique_ptr<tCtrlList>> mLists;
};

}  // namespace ZR
