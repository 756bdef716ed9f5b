// ExclusivePopupMenu: finding an item through the submenus and checking it alone.
#include "views/ExclusivePopupMenu.h"

namespace {

bool FindInto(HMENU menu, UINT id, ExclusivePopupMenu::ItemPath& path) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    path.emplace_back(menu, position);
    if (HMENU const sub = GetSubMenu(menu, position)) {
      if (FindInto(sub, id, path)) return true;
    } else if (GetMenuItemID(menu, position) == id) {
      return true;
    }
    path.pop_back();
  }
  return false;
}

void UncheckAll(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    CheckMenuItem(menu, position, MF_BYPOSITION | MF_UNCHECKED);
    if (HMENU const sub = GetSubMenu(menu, position)) UncheckAll(sub);
  }
}

}  // namespace

ExclusivePopupMenu::ItemPath ExclusivePopupMenu::FindItem(HMENU menu, UINT id) {
  ItemPath path;
  if (menu) FindInto(menu, id, path);
  return path;
}

bool ExclusivePopupMenu::Check(int id) {
  UncheckAll(GetHandle());
  mChecked = id;
  const ItemPath path = FindItem(GetHandle(), static_cast<UINT>(id));
  if (path.empty()) return false;
  ::CheckMenuItem(path.back().first, static_cast<UINT>(id), MF_BYCOMMAND | MF_CHECKED);
  for (size_t step = 0; step + 1 < path.size(); ++step)
    ::CheckMenuItem(path[step].first, static_cast<UINT>(path[step].second),
                  MF_BYPOSITION | MF_CHECKED);
  return true;
}
