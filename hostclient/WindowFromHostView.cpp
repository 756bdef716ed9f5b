// The OWL window of a host view or frame.
#include "hostclient/WindowFromHostView.h"

#include "hostapi/HostApplication.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComPtr.h"
#include "platform/owl/TWindow.h"

OWL::TWindow* WindowFromHostView(IUnknown* hostView, std::unique_ptr<OWL::TWindow>& alias) {
  alias.reset();
  if (!hostView) return nullptr;
  ComPtr<IHostApplication> view;
  hostView->QueryInterface(IID_IHostViewWindow, view.OutVoid());
  HWND handle = nullptr;
  if (!view || FAILED(view->GetWindowHandle(&handle)) || !IsWindow(handle)) return nullptr;
  if (OWL::TWindow* const known = OWL::TWindow::GetWindowPtr(handle)) return known;
  ComTry([&] { alias = std::make_unique<OWL::TWindow>(handle); });
  return alias.get();
}
