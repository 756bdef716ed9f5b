// CachedService: one framework service fetched on first use and kept for the process.
#pragma once

#include <windows.h>

#include <atomic>

namespace QOR {

// Fetches a service interface once. The cache keeps the pointer without a
// reference: framework services outlive the module. Fetches are serialised by
// the cache's own lock; once set, Get is a plain load that calls nothing.
class CachedService {
 public:
  // Writes one referenced interface into *out; a failure leaves it null.
  using FetchFn = HRESULT (*)(void** out);
  // Called once after a failed fetch to make the service reachable (normally
  // LoadLumoFramework); it may throw, which counts as a failed fetch.
  using RecoverFn = void (*)();

  CachedService(FetchFn fetch, RecoverFn recover) noexcept;
  ~CachedService();
  CachedService(const CachedService&) = delete;
  CachedService& operator=(const CachedService&) = delete;

  // The service, or null when the fetch, the recovery and one retry all failed
  // (a later call tries again).
  void* Get() noexcept;

 private:
  void* FetchLocked() noexcept;

  FetchFn mFetch;
  RecoverFn mRecover;
  std::atomic<void*> mCache{nullptr};
  CRITICAL_SECTION mLock;
};

}  // namespace QOR
