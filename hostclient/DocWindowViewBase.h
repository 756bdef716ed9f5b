// DocWindowViewBase: a view whose window lives and dies with it: the client-window side, the
// view side and the debug-information part.
#pragma once

#include "hostclient/COMDebugClass.h"
#include "hostclient/DocViewBase.h"
#include "hostclient/OwlExtClientWindowBase.h"

class DocWindowViewBase : public OwlExtClientWindowBase,
                          public DocViewBase,
                          public COMDebugClass {
 public:
  // The view's name (the debug-information part answers the same).
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override;
  // The window's CanClose, then the owner's say; S_OK when the view may close, else S_FALSE.
  HRESULT STDMETHODCALLTYPE QueryClose(uint16_t* mayClose) noexcept override;
  // Once only: the window side (the host client may refuse), then the owner is told.
  HRESULT STDMETHODCALLTYPE Detach() noexcept override;

 protected:
  DocWindowViewBase(IDocViewClass* viewClass, IUnknown* owner, OWL::TModule* module) noexcept;
  ~DocWindowViewBase() override;
};
