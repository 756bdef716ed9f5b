// The observer registry service: which observers are attached to which framework events.
#include "host/framework/ObserverRegistry.h"

#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "hostapi/ObserverRegistry.h"

#include <algorithm>
#include <utility>
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

// The observers of the panes' subjects, in attaching order.
std::vector<std::pair<IUnknown*, IObserver*>>& SubjectObservers() {
  static std::vector<std::pair<IUnknown*, IObserver*>> observers;
  return observers;
}

class ObserverRegistry final : public StaticService<IObserverRegistry, IID_IObserverRegistry> {
 public:
  HRESULT STDMETHODCALLTYPE AttachToSubject(IUnknown* subject, IObserver* observer) noexcept override {
    if (!subject || !observer) return E_POINTER;
    auto& all = SubjectObservers();
    for (const auto& entry : all)
      if (entry.first == subject && entry.second == observer) return S_FALSE;
    try {
      all.emplace_back(subject, observer);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DetachFromSubject(IUnknown* subject, IObserver* observer) noexcept override {
    auto& all = SubjectObservers();
    const auto found = std::find(all.begin(), all.end(), std::make_pair(subject, observer));
    if (found == all.end()) return S_FALSE;
    all.erase(found);
    return S_OK;
  }
  // Observers may detach while they are told: the walk is over a copy, and an observer detached
  // meanwhile is skipped.
  HRESULT STDMETHODCALLTYPE NotifySubject(IUnknown* subject, uint32_t eventId, const void* data) noexcept override {
    if (!subject) return E_POINTER;
    std::vector<IObserver*> observers;
    try {
      for (const auto& entry : SubjectObservers())
        if (entry.first == subject) observers.push_back(entry.second);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    for (IObserver* const observer : observers) {
      const auto& all = SubjectObservers();
      if (std::find(all.begin(), all.end(), std::make_pair(subject, observer)) == all.end()) continue;
      observer->Notify(0, eventId, 0, data);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RemoveSubject(IUnknown* subject) noexcept override {
    auto& all = SubjectObservers();
    const auto end = std::remove_if(all.begin(), all.end(), [subject](const auto& e) { return e.first == subject; });
    const bool found = end != all.end();
    all.erase(end, all.end());
    return found ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reserved7() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DetachObserver(IObserver* observer) noexcept override {
    if (!observer) return E_POINTER;
    auto& subjects = SubjectObservers();
    const auto end =
        std::remove_if(subjects.begin(), subjects.end(), [observer](const auto& e) { return e.second == observer; });
    const bool fromSubjects = end != subjects.end();
    subjects.erase(end, subjects.end());
    const bool fromEvents = DetachAll(observer);
    return fromEvents || fromSubjects ? S_OK : S_FALSE;
  }
};

ObserverRegistry gObserverRegistry;
ServiceRegistration gObserverRegistryEntry(IID_IObserverRegistry, 0, &gObserverRegistry);

}  // namespace

bool DetachAll(IObserver* observer) noexcept {
  auto& attachments = Attachments();
  const auto end = std::remove_if(attachments.begin(), attachments.end(),
                                  [observer](const Attachment& a) { return a.observer == observer; });
  const bool found = end != attachments.end();
  attachments.erase(end, attachments.end());
  return found;
}

}  // namespace lumo
