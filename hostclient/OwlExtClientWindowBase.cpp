// OwlExtClientWindowBase: making the view's window in the host's client window and letting
// it go again.
#include "hostclient/OwlExtClientWindowBase.h"

#include "hostclient/ComBoundary.h"
#include "platform/owl/TWindow.h"

OwlExtClientWindowBase::OwlExtClientWindowBase(OWL::TModule* module) noexcept
    : mModule(module) {}

OwlExtClientWindowBase::~OwlExtClientWindowBase() { DeleteViewWindow(); }

void OwlExtClientWindowBase::OnModuleWindowCreated(OWL::TWindow*) {}

void OwlExtClientWindowBase::DeleteViewWindow() noexcept {
  delete mViewWindow;  // leaves the alias's list of children
  mViewWindow = nullptr;
  mAlias.reset();
}

HRESULT STDMETHODCALLTYPE OwlExtClientWindowBase::SetHostClient(IHostClientWindow* hostClient,
                                                                HWND* window) noexcept {
  if (!window) return E_POINTER;
  *window = nullptr;
  if (mViewWindow) return E_FAIL;
  return ComTry([&]() -> HRESULT {
    mHostClient = ComPtr<IHostClientWindow>(hostClient);
    HWND host = nullptr;
    if (hostClient) hostClient->GetWindowHandle(&host);
    OWL::TWindow* parent = OWL::TWindow::GetWindowPtr(host);
    if (!parent && host) {
      mAlias = std::make_unique<OWL::TWindow>(host, mModule);
      parent = mAlias.get();
    }
    mViewWindow = CreateModuleWindow(parent, mModule);
    if (!mViewWindow) return E_FAIL;
    OnModuleWindowCreated(mViewWindow);
    try {
      mViewWindow->Create();
    } catch (...) {
      DeleteViewWindow();
      throw;
    }
    *window = mViewWindow->GetHandle();
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE OwlExtClientWindowBase::ReleaseHostClient() noexcept {
  OWL::TWindow* const parent = mViewWindow ? mViewWindow->GetParentO() : nullptr;
  if (parent && parent->IsFlagSet(OWL::wfAlias)) DeleteViewWindow();
  mViewWindow = nullptr;
  mHostClient.Reset();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OwlExtClientWindowBase::Reserved5() noexcept { return S_OK; }

HRESULT STDMETHODCALLTYPE OwlExtClientWindowBase::GetHostClient(
    IHostClientWindow** hostClient) noexcept {
  if (!hostClient) return E_POINTER;
  mHostClient.CopyTo(hostClient);
  return S_OK;
}

HRESULT OwlExtClientWindowBase::CloseWindowSide() noexcept {
  if (mHostClient) {
    const HRESULT answer = mHostClient->OnViewDetaching();
    if (answer != S_OK) return answer;
  }
  mHostClient.Reset();
  mDetached = true;
  DeleteViewWindow();
  return S_OK;
}
