// LumoSubject: the subject part of a window that others observe; a notification (message id and
// data words) reaches every attached observer synchronously, in the order they were attached.
#pragma once

#include <cstdint>
#include <vector>

class LumoObserver {
 public:
  virtual ~LumoObserver() = default;
  virtual void OnSubjectNotify(uint32_t messageId, const uint32_t* words, int count) = 0;
};

class LumoSubject {
 public:
  virtual ~LumoSubject() = default;
  // Observers are borrowed; an observer attached twice is told twice.
  void AttachObserver(LumoObserver* observer) { mObservers.push_back(observer); }
  void DetachObserver(LumoObserver* observer) noexcept;
  void Notify(uint32_t messageId, const uint32_t* words, int count);

 private:
  std::vector<LumoObserver*> mObservers;
};
