// ScrivoDraw::InteractiveObject and its container: the things on a data pane that take mouse
// input (cursors, handles) and hear of its changes. The pane only calls them; their owner adds
// them. Every operation has a do-nothing default.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>

struct IUnknown;
struct IDragScale;

namespace ScrivoDraw {

class InteractiveObject {
 public:
  virtual ~InteractiveObject() = default;
  // The pane's drawing area; set *handled when the object laid the pane out itself.
  virtual void OfferSize(const RECT&, bool*) {}
  virtual void DragRectsChanged() {}
  virtual void LeftDown(POINT, uint32_t) {}
  virtual void LeftUp(POINT, uint32_t) {}
  virtual void LeftDoubleClick(POINT, uint32_t, bool*) {}
  virtual void MouseMove(POINT, uint32_t) {}
  virtual void MouseLeft() {}
  // True when the object set the cursor.
  virtual bool CursorQuery(int32_t, int32_t, int32_t) { return false; }
  virtual void LaneAdded(int32_t) {}
  virtual void LaneRemoved(int32_t) {}
  virtual void LaneCountChanged(int32_t) {}
  virtual void ScaleGiven(IUnknown*) {}
  virtual void WindowAttached() {}
  virtual void PaintBegins() {}
  virtual void PaintEnded(HDC) {}
  virtual void ScrollStateChanged() {}
  virtual void ScrollBegins(int64_t) {}
  virtual void ScrollDone(int64_t, uint32_t) {}
  virtual void RightDown(POINT, uint32_t) {}
  virtual void RightUp(POINT, uint32_t) {}
  virtual void Timer(uint32_t) {}
  virtual void Notify(int32_t, int32_t) {}
  virtual void ChangeApplied(int32_t) {}
  virtual void Notify3(int32_t, int32_t, int32_t) {}
  virtual void SourceChanged(IUnknown*, int32_t, int32_t) {}
  virtual void SamplingStarted() {}
  virtual void SamplingStopped() {}
  virtual void Refresh() {}
  virtual void DragScaleAttached(IDragScale*) {}
  virtual void DragScaleDetached(IDragScale*) {}
  virtual bool AcceptsMode(int32_t) { return true; }
  virtual int32_t Group() { return 0; }
  virtual void NotifyGeneral(int32_t, int32_t) {}
};

// The objects in key order.
class InteractiveObjectContainer {
 public:
  // An object put under a key already held takes that key's place, also in a walk under way.
  void AddObject(int32_t key, std::shared_ptr<InteractiveObject> object);
  void RemoveObject(int32_t key) { mObjects.erase(key); }
  // Every object held when the walk begins, in key order, each looked up again before its call:
  // an object an earlier call removed is not visited, one it added waits for the next walk. The
  // walk allocates nothing, so that the pane's noexcept paths can take it, and the object being
  // called lives until its call returns.
  template <typename Call>
  void ForEachObject(const Call& call) {
    const uint64_t walk = mAdded;
    for (auto at = mObjects.begin(); at != mObjects.end();) {
      const int32_t key = at->first;
      if (at->second.added < walk) {
        const std::shared_ptr<InteractiveObject> object = at->second.object;
        call(*object);
      }
      at = mObjects.upper_bound(key);
    }
  }
  // The first object (in key order) that does not accept mode; null when all do.
  InteractiveObject* FindRefusing(int32_t mode);
  // The general notification (0, argument) to every object.
  void NotifyAll(int32_t argument);

 protected:
  ~InteractiveObjectContainer() = default;

 private:
  struct Held {
    std::shared_ptr<InteractiveObject> object;
    uint64_t added;  // the additions before it: only walks begun after it visit it
  };
  std::map<int32_t, Held> mObjects;
  uint64_t mAdded = 0;
};

}  // namespace ScrivoDraw
