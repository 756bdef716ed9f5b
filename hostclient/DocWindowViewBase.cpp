// DocWindowViewBase: closing and detaching a view with a window.
#include "hostclient/DocWindowViewBase.h"

#include "hostclient/ComBoundary.h"
#include "platform/owl/TWindow.h"

DocWindowViewBase::DocWindowViewBase(IDocViewClass* viewClass, IUnknown* owner,
                                     OWL::TModule* module) noexcept
    : OwlExtClientWindowBase(module), DocViewBase(viewClass, owner) {
  Announce(kAnnounceObjectMade);
}

DocWindowViewBase::~DocWindowViewBase() { Announce(kAnnounceObjectDestroyed); }

HRESULT STDMETHODCALLTYPE DocWindowViewBase::GetNameBstr(BSTR* name) noexcept {
  return DocViewBase::GetNameBstr(name);
}

HRESULT STDMETHODCALLTYPE DocWindowViewBase::QueryClose(uint16_t* mayClose) noexcept {
  if (!mayClose) return E_POINTER;
  *mayClose = 0;
  OWL::TWindow* const window = ViewWindow();
  if (window) {
    bool canClose = false;
    // A CanClose that throws keeps the view open.
    ComTry([&] { canClose = window->CanClose(); });
    *mayClose = canClose ? 0xFFFF : 0;
  }
  if (*mayClose) DocViewBase::QueryClose(mayClose);
  return *mayClose ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE DocWindowViewBase::Detach() noexcept {
  if (IsDetached()) return S_OK;
  const HRESULT answer = CloseWindowSide();
  if (answer != S_OK) return answer;
  return DocViewBase::Detach();
}
