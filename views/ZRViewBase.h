// ZRViewBase: the window of one of the module's document views, made by its view wrapper
// inside the host's client window, and refreshed from the document.
#pragma once

#include "hostclient/LumoCppEventHandler.h"
#include "platform/owl/TWindow.h"

struct IDocView2;
struct IDocViewClass;

// A child window that fills its parent's client area. The view wrapper owns the window; the
// window keeps its wrapper, class and owner without references. Its title is the view class's
// display name, which the wrapper reports as the view's name.
class ZRViewBase : public OWL::TWindow, public LumoCppEventHandler {
 public:
  // Rebuilds what the view shows from its document.
  virtual void Refresh();
  // The document's view slot this view fills (0 the Analysis View, 1 the Table View), or -1.
  virtual int DocumentSlot() const noexcept { return -1; }
  // Selects the row of an event (the Table View); other views ignore it.
  virtual void SelectEventRow(uint32_t) {}

  IDocView2* View() const noexcept { return mView; }
  IUnknown* Owner() const noexcept { return mOwner; }

 protected:
  ZRViewBase(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
             OWL::TModule* module);
  ~ZRViewBase() override = default;

 private:
  IDocView2* mView;
  IUnknown* mOwner;
};
