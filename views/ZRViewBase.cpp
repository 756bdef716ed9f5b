// ZRViewBase: the view window's creation attributes and title.
#include "views/ZRViewBase.h"

#include "base/String.h"
#include "hostapi/DocView.h"

#include <oleauto.h>

ZRViewBase::ZRViewBase(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view,
                       IUnknown* owner, OWL::TModule* module)
    : OWL::TWindow(parent, nullptr, module), mView(view), mOwner(owner) {
  Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (parent && parent->GetHandle()) {
    const OWL::TRect client = parent->GetClientRect();
    Attr.W = client.right - client.left;
    Attr.H = client.bottom - client.top;
  }
  BSTR name = nullptr;
  if (viewClass && SUCCEEDED(viewClass->GetNameBstr(&name)))
    Title = QOR::String::AttachBSTR(name).GetText();
}

void ZRViewBase::Refresh() { Invalidate(true); }
