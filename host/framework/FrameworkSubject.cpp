// The framework subject service: announcements of objects made and destroyed.
#include "host/common/ObserverSet.h"
#include "host/framework/HostObservationPrivate.h"
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "hostapi/FrameworkSubject.h"

namespace lumo {

namespace {

// The stand-in has no debug-object viewer: an announcement is recorded, nothing more.
class FrameworkSubject final : public StaticService<ISubject, IID_ISubject> {
 public:
  HRESULT STDMETHODCALLTYPE Announce(uint32_t eventCode, IUnknown* object) noexcept override {
    try {
      RecordAnnouncement(eventCode, object);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Attach(IObserver* observer) noexcept override { return mObservers.Attach(observer); }
  HRESULT STDMETHODCALLTYPE Detach(IObserver* observer) noexcept override { return mObservers.Detach(observer); }

 private:
  host::ObserverSet mObservers;
};

FrameworkSubject gFrameworkSubject;
ServiceRegistration gFrameworkSubjectEntry(IID_ISubject, 0, &gFrameworkSubject);

}  // namespace

}  // namespace lumo
