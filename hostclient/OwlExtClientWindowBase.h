// OwlExtClientWindowBase: the IClientWindow side of a view: takes the host's client window,
// wraps its handle as an OWL window and has the derived view make its window inside.
#pragma once

#include "hostapi/DocView.h"
#include "hostclient/ComPtr.h"

#include <memory>

namespace OWL {
class TModule;
class TWindow;
}  // namespace OWL

// IUnknown and the deleting destructor (slot 7) are left to the concrete view.
class OwlExtClientWindowBase : public IClientWindow {
 public:
  // E_FAIL when the view has its window already (nothing changes) or cannot make one.
  HRESULT STDMETHODCALLTYPE SetHostClient(IHostClientWindow* hostClient,
                                          HWND* window) noexcept override;
  HRESULT STDMETHODCALLTYPE ReleaseHostClient() noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved5() noexcept override;
  HRESULT STDMETHODCALLTYPE GetHostClient(IHostClientWindow** hostClient) noexcept override;

  OWL::TWindow* ViewWindow() const noexcept { return mViewWindow; }
  bool IsDetached() const noexcept { return mDetached; }

 protected:
  explicit OwlExtClientWindowBase(OWL::TModule* module) noexcept;
  virtual ~OwlExtClientWindowBase();

  // Makes the module's window as a child of parent (not yet created); null when it cannot.
  virtual OWL::TWindow* CreateModuleWindow(OWL::TWindow* parent, OWL::TModule* module) = 0;
  // Called with the new window right after CreateModuleWindow.
  virtual void OnModuleWindowCreated(OWL::TWindow* window);

  // The window side of a detach: the host client's say first (its nonzero answer is returned
  // and nothing changes), then the client is forgotten, the view marked detached and its
  // window deleted.
  HRESULT CloseWindowSide() noexcept;
  OWL::TModule* Module() const noexcept { return mModule; }

 private:
  void DeleteViewWindow() noexcept;

  OWL::TModule* mModule;
  ComPtr<IHostClientWindow> mHostClient;
  OWL::TWindow* mViewWindow = nullptr;
  bool mDetached = false;
  // The alias made on the host's window when OWL knew none; it owns the view window.
  std::unique_ptr<OWL::TWindow> mAlias;
};
