// SimpleUnknownImp1 and SimpleUnknownImp2: IUnknown of objects over one or two interfaces
// that keep their count in the word after their table pointer.
#pragma once

#include "hostclient/ComObjectRoot.h"

#include <unknwn.h>
#include <windows.h>

namespace QOR {

// IUnknown of an object over one interface I (IID iid) whose count is the word
// after its table pointer. The last Release deletes through the virtual
// destructor, after setting the guard count. N only tells instances apart.
// The interlocked count of a self-deleting object: when it reaches zero the guard count is
// written, so a stray AddRef/Release pair during destruction cannot reach zero again.
class GuardedRefCount {
 public:
  explicit GuardedRefCount(LONG initial) noexcept : mRefCount(initial) {}
  ULONG Increment() noexcept { return static_cast<ULONG>(InterlockedIncrement(&mRefCount)); }
  // The new count; at 0 the guard is already in place and the owner deletes itself.
  ULONG Decrement() noexcept {
    const LONG count = InterlockedDecrement(&mRefCount);
    if (count == 0) mRefCount = kDestructionGuardCount;
    return static_cast<ULONG>(count);
  }
  LONG Value() const noexcept { return mRefCount; }

 private:
  volatile LONG mRefCount;
};

template <class I, const IID& iid, int N = 0>
class SimpleUnknownImp1 : public I {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID requested, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(requested, IID_IUnknown) && !IsEqualIID(requested, iid))
      return E_NOINTERFACE;
    *out = static_cast<I*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return mCount.Increment(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const ULONG count = mCount.Decrement();
    if (count == 0) delete this;
    return count;
  }

 protected:
  explicit SimpleUnknownImp1(LONG initialCount = 0) noexcept : mCount(initialCount) {}
  virtual ~SimpleUnknownImp1() = default;
  LONG RefCount() const noexcept { return mCount.Value(); }

 private:
  GuardedRefCount mCount;
};

// The same over two interfaces; IUnknown is answered by the first.
template <class I1, const IID& iid1, class I2, const IID& iid2, int N = 0>
class SimpleUnknownImp2 : public I1, public I2 {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID requested, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(requested, IID_IUnknown) || IsEqualIID(requested, iid1)) {
      *out = static_cast<I1*>(this);
    } else if (IsEqualIID(requested, iid2)) {
      *out = static_cast<I2*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return mCount.Increment(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const ULONG count = mCount.Decrement();
    if (count == 0) delete this;
    return count;
  }

 protected:
  explicit SimpleUnknownImp2(LONG initialCount = 0) noexcept : mCount(initialCount) {}
  virtual ~SimpleUnknownImp2() = default;
  LONG RefCount() const noexcept { return mCount.Value(); }

 private:
  GuardedRefCount mCount;
};

}  // namespace QOR
