// ScrivoDraw::InteractiveObjectContainer: calls in key order.
#include "drawing/InteractiveObjects.h"

#include <vector>

namespace ScrivoDraw {

void InteractiveObjectContainer::ForEachObject(const std::function<void(InteractiveObject&)>& call) {
  // An object may remove others (or itself) while it is told: walk the keys held now.
  std::vector<int32_t> keys;
  keys.reserve(mObjects.size());
  for (const auto& entry : mObjects) keys.push_back(entry.first);
  for (const int32_t key : keys) {
    const auto found = mObjects.find(key);
    if (found == mObjects.end()) continue;
    const std::shared_ptr<InteractiveObject> object = found->second;
    call(*object);
  }
}

InteractiveObject* InteractiveObjectContainer::FindRefusing(int32_t mode) {
  for (const auto& entry : mObjects)
    if (!entry.second->AcceptsMode(mode)) return entry.second.get();
  return nullptr;
}

void InteractiveObjectContainer::NotifyAll(int32_t argument) {
  ForEachObject([argument](InteractiveObject& object) { object.NotifyGeneral(0, argument); });
}

}  // namespace ScrivoDraw
