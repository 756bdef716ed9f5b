// ExclusivePopupMenu: a popup menu that keeps one item checked, across its submenus.
#pragma once

#include "platform/owl/TPopupMenu.h"

#include <windows.h>

#include <utility>
#include <vector>

class ExclusivePopupMenu : public OWL::TPopupMenu {
 public:
  // The (menu, position) steps from the top menu down to the item id, depth first; empty when
  // no item of the menu or its submenus has that id.
  using ItemPath = std::vector<std::pair<HMENU, int>>;
  static ItemPath FindItem(HMENU menu, UINT id);

  virtual void OnItemChosen(int id) { Check(id); }
  // Unchecks every item, then checks id and the items opening the submenus that hold it;
  // false (all unchecked) when the menu has no such item. id is kept as the checked item.
  virtual bool Check(int id);
  int CheckedItem() const noexcept { return mChecked; }

 protected:
  int mChecked = -1;
};
