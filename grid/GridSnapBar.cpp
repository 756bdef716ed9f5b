// The installed snap-bar factory; the gadget bar unless a test installs its own.
#include "grid/GridSnapBar.h"

#include "grid/SnapGadgetWindowBase.h"

namespace TVF_Grid {

static GridSnapBar::Factory gFactory = &SnapGadgetWindowBase::Make;

GridSnapBar::Factory GridSnapBar::InstallFactory(Factory factory) noexcept {
  const Factory previous = gFactory;
  gFactory = factory;
  return previous;
}

GridSnapBar::Factory GridSnapBar::CurrentFactory() noexcept { return gFactory; }

}  // namespace TVF_Grid
