// ScrivoDraw::InteractiveObjectContainer: calls in key order.
#include "drawing/InteractiveObjects.h"

#include <utility>

namespace ScrivoDraw {

void InteractiveObjectContainer::AddObject(int32_t key, std::shared_ptr<InteractiveObject> object) {
  const auto found = mObjects.find(key);
  if (found != mObjects.end()) {
    found->second.object = std::move(object);
    return;
  }
  mObjects.emplace(key, Held{std::move(object), mAdded});
  ++mAdded;
}

InteractiveObject* InteractiveObjectContainer::FindRefusing(int32_t mode) {
  for (const auto& entry : mObjects)
    if (!entry.second.object->AcceptsMode(mode)) return entry.second.object.get();
  return nullptr;
}

void InteractiveObjectContainer::NotifyAll(int32_t argument) {
  ForEachObject([argument](InteractiveObject& object) { object.NotifyGeneral(0, argument); });
}

}  // namespace ScrivoDraw
