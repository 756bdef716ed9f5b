// ZRTableViewEx: its construction and the id it is opened by.
#include "views/ZRTableViewEx.h"

#include "hostclient/DocViewIds.h"

ZRTableViewEx::ZRTableViewEx(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
       OWL::TModule* module)
    : ZRViewBase(parent, viewClass, view, owner, module) {}

uint32_t ZRTableViewEx::ViewMessageId() noexcept { return DocIds::OpenTableViewMessage::Id(); }
