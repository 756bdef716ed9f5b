// The host's view site: opening views of registered classes into frames, closing them.
#include "host/view/ViewSite.h"

#include "hostapi/ClassRegistry.h"
#include "hostapi/ScrivoComment.h"
#include "hostapi/TypeRegistry.h"

#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <string>

namespace host {

namespace {

HostPtr<IDocViewClass> ViewClassOf(uint32_t typeId) {
  HostPtr<IClassRegistry> registry;
  CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IClassRegistry,
                   reinterpret_cast<void**>(registry.Out()));
  HostPtr<IDocViewClass> viewClass;
  if (registry)
    registry->GetClassObject(typeId, IID_IDocViewClass, reinterpret_cast<void**>(viewClass.Out()));
  return viewClass;
}

std::wstring ViewName(IDocView2* view) {
  BSTR name = nullptr;
  view->GetNameBstr(&name);
  std::wstring text(name ? name : L"", name ? SysStringLen(name) : 0);
  SysFreeString(name);
  return text;
}

}  // namespace

HostPtr<ViewSite> ViewSite::Create() {
  HostPtr<ViewSite> site;
  site.Attach(new ViewSite());
  return site;
}

void ViewSite::CloseAll() noexcept {
  std::vector<Open> views;
  views.swap(mViews);
  for (Open& open : views) {
    open.view->Detach();
    open.frame->Close();
  }
}

void ViewSite::SetHostDocument(IUnknown* document) noexcept {
  if (document) document->AddRef();
  mHostDocument.Attach(document);
}

HRESULT STDMETHODCALLTYPE ViewSite::CanPrint(uint16_t* can) noexcept {
  if (!can) return E_POINTER;
  *can = mCanPrint ? 0xFFFF : 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ViewSite::Print() noexcept {
  if (!mCanPrint) return S_FALSE;
  ++mPrintRequests;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ViewSite::GetHostDocument(IUnknown** document) noexcept {
  if (!document) return E_POINTER;
  *document = mHostDocument.Get();
  if (*document) (*document)->AddRef();
  return *document ? S_OK : S_FALSE;
}

void* ViewSite::FindInterface(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IViewOwner) return static_cast<IViewOwner*>(this);
  if (iid == IID_IViewSitePrintSupport) return static_cast<IViewSitePrintSupport*>(this);
  if (iid == IID_ISubject) return static_cast<ISubject*>(this);
  return nullptr;
}

HRESULT STDMETHODCALLTYPE ViewSite::GetNextOwner(IUnknown** owner) noexcept {
  if (!owner) return E_POINTER;
  *owner = nullptr;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ViewSite::Announce(uint32_t eventCode, IUnknown*) noexcept {
  try {
    mObservers.Notify(eventCode, nullptr);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT ViewSite::NotifyChannelsChanged() {
  constexpr uint32_t kChannelsChangedNumber = 4;
  HostPtr<ITypeRegistry> types;
  HRESULT hr = CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                                reinterpret_cast<void**>(types.Out()));
  if (FAILED(hr)) return hr;
  uint16_t index = 0;
  hr = types->RegisterGuid(&kHostNotifyClassGuid, &index);
  if (FAILED(hr)) return hr;
  return Announce((static_cast<uint32_t>(index) << 16) | kChannelsChangedNumber, nullptr);
}

HRESULT ViewSite::OpenView(uint32_t typeId, HostPtr<IDocView2>& view) {
  view.Reset();
  HostPtr<IDocViewClass> viewClass = ViewClassOf(typeId);
  if (!viewClass) return CLASS_E_CLASSNOTAVAILABLE;
  HostPtr<IDocView2> made;
  HRESULT hr = viewClass->CreateView(0, static_cast<IViewOwner*>(this), made.Out());
  if (FAILED(hr) || !made) return FAILED(hr) ? hr : E_FAIL;
  auto client = made.As<IClientWindow>(IID_IClientWindow);
  HostPtr<HostClientFrame> frame = HostClientFrame::Create(ViewName(made.Get()));
  if (!client || !frame) {
    made->Detach();
    return E_FAIL;
  }
  HWND window = nullptr;
  hr = client->SetHostClient(frame.Get(), &window);
  if (FAILED(hr)) {
    made->Detach();
    return hr;
  }
  SetWindowTextW(frame->Frame(), ViewName(made.Get()).c_str());
  frame->SetCommandTarget(made.Get());
  frame->FocusView();
  IDocView2* const opened = made.Get();
  frame->SetCloseRequest([this, opened] { CloseView(opened); });
  mViews.push_back(Open{made, frame});
  view = made;
  return S_OK;
}

HRESULT ViewSite::CloseView(IDocView2* view) {
  const auto open = std::find_if(mViews.begin(), mViews.end(),
                                 [view](const Open& o) { return o.view.Get() == view; });
  if (open == mViews.end()) return E_INVALIDARG;
  uint16_t mayClose = 0;
  if (view->QueryClose(&mayClose) != S_OK || !mayClose) return S_FALSE;
  // Kept alive until the frame is gone: the detach notice removes the entry.
  const Open closing = *open;
  const HRESULT hr = view->Detach();
  if (hr != S_OK) return hr;
  closing.frame->Close();
  return S_OK;
}

HostClientFrame* ViewSite::FrameOf(IDocView2* view) const noexcept {
  for (const Open& open : mViews)
    if (open.view.Get() == view) return open.frame.Get();
  return nullptr;
}

HRESULT STDMETHODCALLTYPE ViewSite::QueryViewClose(IDocView2*, uint16_t* mayClose) noexcept {
  ++mCloseQuestions;
  if (mRefuseClose && mayClose) *mayClose = 0;
  mRefuseClose = false;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ViewSite::OnViewDetached(IDocView2* view) noexcept {
  ++mDetachNotices;
  mViews.erase(std::remove_if(mViews.begin(), mViews.end(),
                              [view](const Open& o) { return o.view.Get() == view; }),
               mViews.end());
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ViewSite::OnViewActivated(IDocView2*) noexcept {
  ++mActivations;
  return S_OK;
}

}  // namespace host
