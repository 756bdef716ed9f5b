// The installed snap-bar factory.
#include "grid/GridSnapBar.h"

namespace TVF_Grid {

static GridSnapBar::Factory gFactory = nullptr;

GridSnapBar::Factory GridSnapBar::InstallFactory(Factory factory) noexcept {
  const Factory previous = gFactory;
  gFactory = factory;
  return previous;
}

GridSnapBar::Factory GridSnapBar::CurrentFactory() noexcept { return gFactory; }

}  // namespace TVF_Grid
