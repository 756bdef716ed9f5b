// LumoOwlDocView<V>: binds one module window class V into a host view.
#pragma once

#include "hostclient/BstrSlot.h"
#include "hostclient/DocWindowViewBase.h"
#include "platform/owl/TWindow.h"

// V is an OWL::TWindow and a LumoCppEventHandler, built as
// V(parent window, view class, the view's IDocView2 part, owner, module); its title is the
// view's name while the window exists. The view starts with a count of 0.
template <class V>
class LumoOwlDocView final : public DocWindowViewBase {
 public:
  using WindowClass = V;

  QOR_BEGIN_INTERFACE_MAP(LumoOwlDocView)
  QOR_INTERFACE_ENTRY(IClientWindow, IID_IClientWindow)
  QOR_INTERFACE_ENTRY(IDocView2, IID_IDocView)
  QOR_INTERFACE_ENTRY(IDocView2, IID_IView)
  QOR_INTERFACE_ENTRY(IDocView2, IID_IDocView2)
  QOR_INTERFACE_ENTRY(IObserver, IID_IObserver)
  QOR_INTERFACE_ENTRY(ILumoCommandHandler, IID_ILumoCommandHandler)
  QOR_INTERFACE_ENTRY(IMessageHandler, IID_IMessageHandler)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  LumoOwlDocView(IDocViewClass* viewClass, IUnknown* owner, OWL::TModule* module) noexcept
      : DocWindowViewBase(viewClass, owner, module) {}

  // The window's title while it exists, else the class name.
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override {
    if (V* const window = Window()) return QOR::StoreBstr(name, window->Title.c_str());
    if (!ViewClass()) return QOR::StoreBstr(name, nullptr);
    return ViewClass()->GetClassNameBstr(name);
  }
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) noexcept override {
    this->~LumoOwlDocView();
    if (flags & 1) ::operator delete(this);
    return this;
  }

  V* Window() const noexcept { return static_cast<V*>(ViewWindow()); }

 protected:
  OWL::TWindow* CreateModuleWindow(OWL::TWindow* parent, OWL::TModule* module) override {
    V* const window =
        new V(parent, ViewClass(), static_cast<IDocView2*>(this), Owner(), module);
    // Host commands and messages sent to the view now reach the window's tables.
    window->AttachProxy(this);
    return window;
  }

 private:
  ~LumoOwlDocView() override = default;
};
