// ComPtr: the owning interface pointer of the module.
#pragma once

#include <unknwn.h>

#include <utility>

namespace QOR {

// Holds one reference on an interface. Copies add a reference, destruction and
// reset release it. Out() hands a call the address of the slot after releasing
// what was held, so a call that fills it never leaks the previous pointer.
template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}
  // Takes a new reference on p (p stays owned by the caller too).
  explicit ComPtr(T* p) noexcept : mPtr(p) {
    if (mPtr) mPtr->AddRef();
  }
  ComPtr(const ComPtr& other) noexcept : ComPtr(other.mPtr) {}
  ComPtr(ComPtr&& other) noexcept : mPtr(other.mPtr) { other.mPtr = nullptr; }
  ~ComPtr() { Reset(); }

  ComPtr& operator=(const ComPtr& other) noexcept {
    // AddRef first so that self-assignment and aliasing stay safe.
    T* const p = other.mPtr;
    if (p) p->AddRef();
    T* const old = mPtr;
    mPtr = p;
    if (old) old->Release();
    return *this;
  }
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      T* const old = mPtr;
      mPtr = other.mPtr;
      other.mPtr = nullptr;
      if (old) old->Release();
    }
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) noexcept {
    Reset();
    return *this;
  }

  // Adopts p without adding a reference (p carries one for us).
  void Attach(T* p) noexcept {
    T* const old = mPtr;
    mPtr = p;
    if (old) old->Release();
  }
  // Gives up ownership without releasing; the caller now owns the reference.
  [[nodiscard]] T* Detach() noexcept {
    T* const p = mPtr;
    mPtr = nullptr;
    return p;
  }
  void Reset() noexcept {
    T* const old = mPtr;
    mPtr = nullptr;
    if (old) old->Release();
  }

  // Slot for an out parameter: releases what was held, then exposes the null slot.
  T** Out() noexcept {
    Reset();
    return &mPtr;
  }
  // Same, typed as void** for QueryInterface-style calls.
  void** OutVoid() noexcept { return reinterpret_cast<void**>(Out()); }

  // Hands out a new reference through an out parameter (null stays null).
  void CopyTo(T** out) const noexcept {
    if (!out) return;
    *out = mPtr;
    if (mPtr) mPtr->AddRef();
  }

  T* Get() const noexcept { return mPtr; }
  T* operator->() const noexcept { return mPtr; }
  T& operator*() const noexcept { return *mPtr; }
  explicit operator bool() const noexcept { return mPtr != nullptr; }

  // Asks the held object for another interface; null result on failure.
  template <class U>
  HRESULT As(const IID& iid, ComPtr<U>& target) const noexcept {
    if (!mPtr) return E_POINTER;
    return mPtr->QueryInterface(iid, target.OutVoid());
  }

 private:
  T* mPtr = nullptr;
};

template <class T>
bool operator==(const ComPtr<T>& a, const ComPtr<T>& b) noexcept {
  return a.Get() == b.Get();
}
template <class T>
bool operator!=(const ComPtr<T>& a, const ComPtr<T>& b) noexcept {
  return a.Get() != b.Get();
}

}  // namespace QOR

using QOR::ComPtr;
