// The host's side of a document's views: it asks the registered view classes for views,
// gives each a frame, and closes and detaches them; it is the owner the views report to.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/common/ObserverSet.h"
#include "host/common/ReservedSlots.h"
#include "host/view/HostClientFrame.h"
#include "hostapi/DocView.h"
#include "hostapi/FrameworkSubject.h"
#include "hostapi/ViewPrinting.h"

#include <cstdint>
#include <vector>

namespace host {

// Its views hear the host's notifications through its subject.
class ViewSite final : public HostObject<IViewOwner, IViewSitePrintSupport, ISubject> {
 public:
  // A new site (one reference).
  static HostPtr<ViewSite> Create();

  // A view of the view class registered under typeId, made in a new frame of its own.
  // The class's error, or E_FAIL when the frame cannot be made (nothing is kept then).
  HRESULT OpenView(uint32_t typeId, HostPtr<IDocView2>& view);
  // Asks the view (and so this site) whether it may close; S_FALSE when it may not. Then
  // detaches it, closes its frame and lets it go. The view's detach answer otherwise.
  HRESULT CloseView(IDocView2* view);
  // The frame of an open view, or null.
  HostClientFrame* FrameOf(IDocView2* view) const noexcept;
  size_t OpenViews() const noexcept { return mViews.size(); }
  // The frame of the open view at index (in the order they opened), or null.
  HostClientFrame* FrameAt(size_t index) const noexcept {
    return index < mViews.size() ? mViews[index].frame.Get() : nullptr;
  }
  // Detaches every open view and closes its frame, as when the document closes. The views
  // hold the site (their owner) until then.
  void CloseAll() noexcept;

  // What the views told the site.
  int CloseQuestions() const noexcept { return mCloseQuestions; }
  int DetachNotices() const noexcept { return mDetachNotices; }
  int Activations() const noexcept { return mActivations; }
  // Answer the next close question with "no".
  void RefuseNextClose() noexcept { mRefuseClose = true; }
  // The host document the site's views show (kept with a reference; may be null).
  void SetHostDocument(IUnknown* document) noexcept;
  // Whether the host can print the site's views now (it can until told otherwise).
  void SetCanPrint(bool can) noexcept { mCanPrint = can; }
  int PrintRequests() const noexcept { return mPrintRequests; }
  // Tells the observers that the host document's channels were renamed, added or removed
  // (host notification 4); they read the names again.
  HRESULT NotifyChannelsChanged();
  size_t AttachedObservers() const noexcept { return mObservers.Count(); }

  HOST_RESERVED_SLOT(3) HOST_RESERVED_SLOT(4) HOST_RESERVED_SLOT(5) HOST_RESERVED_SLOT(6)
  HOST_RESERVED_SLOT(7) HOST_RESERVED_SLOT(8) HOST_RESERVED_SLOT(9) HOST_RESERVED_SLOT(10)
  HOST_RESERVED_SLOT(11) HOST_RESERVED_SLOT(12) HOST_RESERVED_SLOT(14) HOST_RESERVED_SLOT(16)
  HOST_RESERVED_SLOT(17) HOST_RESERVED_SLOT(18) HOST_RESERVED_SLOT(19) HOST_RESERVED_SLOT(20)
  HRESULT STDMETHODCALLTYPE QueryViewClose(IDocView2* view, uint16_t* mayClose) noexcept override;
  HRESULT STDMETHODCALLTYPE OnViewDetached(IDocView2* view) noexcept override;
  HRESULT STDMETHODCALLTYPE OnViewActivated(IDocView2* view) noexcept override;
  // IViewSitePrintSupport
  HRESULT STDMETHODCALLTYPE CanPrint(uint16_t* can) noexcept override;
  HRESULT STDMETHODCALLTYPE Print() noexcept override;
  HRESULT STDMETHODCALLTYPE GetHostDocument(IUnknown** document) noexcept override;
  // The site is the chain's only object.
  HRESULT STDMETHODCALLTYPE GetNextOwner(IUnknown** owner) noexcept override;
  // ISubject: an announcement goes to the observers without argument words.
  HRESULT STDMETHODCALLTYPE Announce(uint32_t eventCode, IUnknown* object) noexcept override;
  HRESULT STDMETHODCALLTYPE Attach(IObserver* observer) noexcept override { return mObservers.Attach(observer); }
  HRESULT STDMETHODCALLTYPE Detach(IObserver* observer) noexcept override { return mObservers.Detach(observer); }

 private:
  ViewSite() = default;
  ~ViewSite() override = default;
  void* FindInterface(REFIID iid) override;

  struct Open {
    HostPtr<IDocView2> view;
    HostPtr<HostClientFrame> frame;
  };
  std::vector<Open> mViews;
  int mCloseQuestions = 0;
  int mDetachNotices = 0;
  int mActivations = 0;
  bool mRefuseClose = false;
  bool mCanPrint = true;
  int mPrintRequests = 0;
  HostPtr<IUnknown> mHostDocument;
  ObserverSet mObservers;
};

}  // namespace host
