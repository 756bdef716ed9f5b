// The observer registry service: which observers are attached to which framework events.
#include "host/framework/ObserverRegistry.h"

#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "hostapi/ObserverRegistry.h"

#include <algorithm>
#include <vector>

namespace lumo {

namespace {

struct Attachment {
  IObserver* observer;  // borrowed: an observer detaches itself before it dies
  uint32_t eventId;
};

// UI thread only; no lock.
std::vector<Attachment>& Attachments() {
  static std::vector<Attachment> attachments;
  return attachments;
}

class ObserverRegistry final : public StaticService<IObserverRegistry, IID_IObserverRegistry> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved3() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DetachObserver(IObserver* observer) noexcept override {
    if (!observer) return E_POINTER;
    return DetachAll(observer) ? S_OK : S_FALSE;
  }
};

ObserverRegistry gObserverRegistry;
ServiceRegistration gObserverRegistryEntry(IID_IObserverRegistry, 0, &gObserverRegistry);

}  // namespace

HRESULT AttachObserver(IObserver* observer, uint32_t eventId) noexcept {
  if (!observer) return E_POINTER;
  try {
    Attachments().push_back(Attachment{observer, eventId});
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

bool DetachAll(IObserver* observer) noexcept {
  auto& attachments = Attachments();
  const auto end = std::remove_if(attachments.begin(), attachments.end(),
                                  [observer](const Attachment& a) { return a.observer == observer; });
  const bool found = end != attachments.end();
  attachments.erase(end, attachments.end());
  return found;
}

uint32_t AttachmentCount(IObserver* observer) noexcept {
  return static_cast<uint32_t>(std::count_if(
      Attachments().begin(), Attachments().end(),
      [observer](const Attachment& a) { return a.observer == observer; }));
}

}  // namespace lumo
