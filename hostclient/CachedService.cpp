// CachedService: the first fetch under a lock, then an unlocked fast path.
#include "hostclient/CachedService.h"

#include <unknwn.h>

namespace QOR {

CachedService::CachedService(FetchFn fetch, RecoverFn recover) noexcept
    : mFetch(fetch), mRecover(recover) {
  InitializeCriticalSection(&mLock);
}

CachedService::~CachedService() { DeleteCriticalSection(&mLock); }

void* CachedService::Get() noexcept {
  if (void* const cached = mCache.load(std::memory_order_acquire)) return cached;
  EnterCriticalSection(&mLock);
  void* result = mCache.load(std::memory_order_relaxed);
  if (!result) result = FetchLocked();
  LeaveCriticalSection(&mLock);
  return result;
}

void* CachedService::FetchLocked() noexcept {
  void* object = nullptr;
  if (FAILED(mFetch(&object))) {
    object = nullptr;
    if (mRecover) {
      try {
        mRecover();
      } catch (...) {
        // The framework could not be loaded now; the cache stays empty and the
        // next call tries again.
        return nullptr;
      }
    }
    if (FAILED(mFetch(&object))) object = nullptr;
  }
  if (!object) return nullptr;
  // The framework's objects outlive the module: keep the pointer, not the reference.
  static_cast<IUnknown*>(object)->Release();
  mCache.store(object, std::memory_order_release);
  return object;
}

}  // namespace QOR
