// Owning interface pointer for the stand-in host.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <utility>

namespace host {

// Holds one reference: AddRef on copy, Release on destruction and reset.
template <typename T>
class HostPtr {
 public:
  HostPtr() = default;
  explicit HostPtr(T* p, bool addRef = true) : mP(p) {
    if (mP && addRef) mP->AddRef();
  }
  HostPtr(const HostPtr& o) : mP(o.mP) {
    if (mP) mP->AddRef();
  }
  HostPtr(HostPtr&& o) noexcept : mP(std::exchange(o.mP, nullptr)) {}
  HostPtr& operator=(HostPtr o) noexcept {
    std::swap(mP, o.mP);
    return *this;
  }
  ~HostPtr() { Reset(); }

  void Reset() noexcept {
    if (mP) std::exchange(mP, nullptr)->Release();
  }
  // Takes over a reference the caller already holds.
  void Attach(T* p) noexcept {
    Reset();
    mP = p;
  }
  T* Detach() noexcept { return std::exchange(mP, nullptr); }
  // For out-parameters: releases what was held before the call fills it.
  T** Out() noexcept {
    Reset();
    return &mP;
  }
  template <typename U>
  HostPtr<U> As(REFIID iid) const {
    HostPtr<U> result;
    if (mP) mP->QueryInterface(iid, reinterpret_cast<void**>(result.Out()));
    return result;
  }
  T* Get() const { return mP; }
  T* operator->() const { return mP; }
  explicit operator bool() const { return mP != nullptr; }

 private:
  T* mP = nullptr;
};

}  // namespace host
