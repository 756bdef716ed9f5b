// host::ObserverSet: the observers attached to one of the host's subjects (ISubject slots 4 and
// 5). They are not referenced: an observer detaches before it goes.
#pragma once

#include "hostapi/MessageHandler.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace host {

class ObserverSet {
 public:
  // S_FALSE when observer is attached already.
  HRESULT Attach(IObserver* observer) noexcept {
    if (!observer) return E_POINTER;
    if (Has(observer)) return S_FALSE;
    try {
      mObservers.push_back(observer);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }
  // S_FALSE when observer was not attached.
  HRESULT Detach(IObserver* observer) noexcept {
    const auto found = std::find(mObservers.begin(), mObservers.end(), observer);
    if (found == mObservers.end()) return S_FALSE;
    mObservers.erase(found);
    return S_OK;
  }
  // Hands eventId and its argument words to each observer attached when the call starts and
  // still attached when its turn comes.
  void Notify(uint32_t eventId, const void* data) {
    const std::vector<IObserver*> now = mObservers;
    for (IObserver* observer : now)
      if (Has(observer)) observer->Notify(0, eventId, 0, data);  // each observer's answer is its own
  }
  size_t Count() const noexcept { return mObservers.size(); }

 private:
  bool Has(IObserver* observer) const noexcept {
    return std::find(mObservers.begin(), mObservers.end(), observer) != mObservers.end();
  }

  std::vector<IObserver*> mObservers;
};

}  // namespace host
