// The subject's observer list.
#include "hostclient/LumoSubject.h"

#include <algorithm>

void LumoSubject::DetachObserver(LumoObserver* observer) noexcept {
  mObservers.erase(std::remove(mObservers.begin(), mObservers.end(), observer), mObservers.end());
}

void LumoSubject::Notify(uint32_t messageId, const uint32_t* words, int count) {
  // A copy: an observer may detach itself while it is told.
  const std::vector<LumoObserver*> observers = mObservers;
  for (LumoObserver* observer : observers) observer->OnSubjectNotify(messageId, words, count);
}
