// The factory of the table view window that every table-view manager uses.
#include "grid/TableViewWindow.h"

namespace {

TableViewWindowFactory gFactory = nullptr;

}  // namespace

TableViewWindowFactory SetTableViewWindowFactory(TableViewWindowFactory factory) noexcept {
  const TableViewWindowFactory previous = gFactory;
  gFactory = factory;
  return previous;
}

TableViewWindowFactory GetTableViewWindowFactory() noexcept { return gFactory; }
