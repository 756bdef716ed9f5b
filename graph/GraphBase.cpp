// The drawer root's invalidation of its owner window.
#include "graph/GraphBase.h"

#include "platform/owl/TWindow.h"

namespace MGraph1 {

void GraphBase::InvalidateOwner() const noexcept {
  if (mOwner && mOwner->GetHandle()) mOwner->Invalidate(true);
}

}  // namespace MGraph1
