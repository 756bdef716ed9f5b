// Reference-counting roots of the module's COM objects: CComObjectRoot, the
// single-interface bases and the inner unknown of aggregated objects.
#pragma once

#include "hostclient/InterfaceMap.h"

#include <windows.h>

namespace QOR {

// Count written when the last reference goes, before the object deletes itself:
// a stray AddRef/Release pair during destruction cannot reach zero again.
inline constexpr LONG kDestructionGuardCount = static_cast<LONG>(0xC0000001u);

// Root of the map-driven objects: an interlocked count and an own lock. The
// lock is made by InitLock (not by the constructor, so a new object starts
// with every field clear) and deleted by the destructor only when it was made.
class CComObjectRoot {
 public:
  CComObjectRoot() noexcept = default;
  CComObjectRoot(const CComObjectRoot&) = delete;
  CComObjectRoot& operator=(const CComObjectRoot&) = delete;
  virtual ~CComObjectRoot();

  ULONG InternalAddRef() noexcept {
    return static_cast<ULONG>(InterlockedIncrement(&mRefCount));
  }
  // Heap objects: at zero the guard count is set and the object deleted.
  ULONG InternalRelease() noexcept {
    const LONG count = InterlockedDecrement(&mRefCount);
    if (count != 0) return static_cast<ULONG>(count);
    mRefCount = kDestructionGuardCount;
    delete this;
    return 0;
  }
  // Static objects: the count moves, the object never deletes itself.
  ULONG InternalReleaseStatic() noexcept {
    return static_cast<ULONG>(InterlockedDecrement(&mRefCount));
  }
  LONG RefCount() const noexcept { return mRefCount; }

  // Makes the object's lock; false when the system could not.
  bool InitLock() noexcept;
  bool LockInitialised() const noexcept { return mLockInitialised; }
  void Lock() noexcept { EnterCriticalSection(&mLock); }
  void Unlock() noexcept { LeaveCriticalSection(&mLock); }

 protected:
  explicit CComObjectRoot(LONG initialCount) noexcept : mRefCount(initialCount) {}

 private:
  volatile LONG mRefCount = 0;
  CRITICAL_SECTION mLock{};
  bool mLockInitialised = false;
};

// Scoped hold of a CComObjectRoot's lock.
class ObjectLock {
 public:
  explicit ObjectLock(CComObjectRoot& root) noexcept : mRoot(root) { mRoot.Lock(); }
  ~ObjectLock() { mRoot.Unlock(); }
  ObjectLock(const ObjectLock&) = delete;
  ObjectLock& operator=(const ObjectLock&) = delete;

 private:
  CComObjectRoot& mRoot;
};

// IUnknown of an object over one interface I (IID iid) whose count is the word
// after its table pointer. The last Release deletes through the virtual
// destructor, after setting the guard count. N only tells instances apart.
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
  ULONG STDMETHODCALLTYPE AddRef() noexcept override {
    return static_cast<ULONG>(InterlockedIncrement(&mRefCount));
  }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const LONG count = InterlockedDecrement(&mRefCount);
    if (count != 0) return static_cast<ULONG>(count);
    mRefCount = kDestructionGuardCount;
    delete this;
    return 0;
  }

 protected:
  explicit SimpleUnknownImp1(LONG initialCount = 0) noexcept : mRefCount(initialCount) {}
  virtual ~SimpleUnknownImp1() = default;
  LONG RefCount() const noexcept { return mRefCount; }

 private:
  volatile LONG mRefCount;
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
  ULONG STDMETHODCALLTYPE AddRef() noexcept override {
    return static_cast<ULONG>(InterlockedIncrement(&mRefCount));
  }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const LONG count = InterlockedDecrement(&mRefCount);
    if (count != 0) return static_cast<ULONG>(count);
    mRefCount = kDestructionGuardCount;
    delete this;
    return 0;
  }

 protected:
  explicit SimpleUnknownImp2(LONG initialCount = 0) noexcept : mRefCount(initialCount) {}
  virtual ~SimpleUnknownImp2() = default;
  LONG RefCount() const noexcept { return mRefCount; }

 private:
  volatile LONG mRefCount;
};

// The inner IUnknown of an aggregatable object T (T derives from CComObjectRoot
// and declares an interface map). IUnknown answers this inner part; every other
// IID goes to T's map. Its counting works on T's own count, never the outer's.
template <class T>
class NonDelegatingUnknown final : public IUnknown {
 public:
  explicit NonDelegatingUnknown(T& object) noexcept : mObject(object) {}
  NonDelegatingUnknown(const NonDelegatingUnknown&) = delete;
  NonDelegatingUnknown& operator=(const NonDelegatingUnknown&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) {
      *out = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    return QueryInterfaceByMap(static_cast<void*>(&mObject), T::GetInterfaceMap(), iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return mObject.InternalAddRef(); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return mObject.InternalRelease(); }

 private:
  T& mObject;
};

}  // namespace QOR

// IUnknown of a heap object over CComObjectRoot and an interface map
// (QOR_BEGIN_INTERFACE_MAP). One declaration overrides the slots of every base interface.
#define QOR_IUNKNOWN_HEAP()                                                              \
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {   \
    return ::QOR::QueryInterfaceByMap(static_cast<void*>(this), GetInterfaceMap(), iid, \
                                      out);                                              \
  }                                                                                      \
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return InternalAddRef(); }        \
  ULONG STDMETHODCALLTYPE Release() noexcept override { return InternalRelease(); }

// The same for static objects that count but never delete themselves.
#define QOR_IUNKNOWN_STATIC()                                                            \
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {   \
    return ::QOR::QueryInterfaceByMap(static_cast<void*>(this), GetInterfaceMap(), iid, \
                                      out);                                              \
  }                                                                                      \
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return InternalAddRef(); }        \
  ULONG STDMETHODCALLTYPE Release() noexcept override { return InternalReleaseStatic(); }

// The same for static objects that keep no count at all: both answer 1.
#define QOR_IUNKNOWN_UNCOUNTED()                                                         \
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {   \
    return ::QOR::QueryInterfaceByMap(static_cast<void*>(this), GetInterfaceMap(), iid, \
                                      out);                                              \
  }                                                                                      \
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 1; }                       \
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }

// IUnknown of an aggregatable object: every call goes to the controlling
// unknown, which the class returns from ControllingUnknown() (the outer object
// when aggregated, else its NonDelegatingUnknown part).
#define QOR_IUNKNOWN_AGGREGATABLE()                                                     \
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {  \
    return ControllingUnknown()->QueryInterface(iid, out);                              \
  }                                                                                     \
  ULONG STDMETHODCALLTYPE AddRef() noexcept override {                                  \
    return ControllingUnknown()->AddRef();                                              \
  }                                                                                     \
  ULONG STDMETHODCALLTYPE Release() noexcept override {                                 \
    return ControllingUnknown()->Release();                                             \
  }

namespace QOR {

// Mix-in of an aggregatable object T: holds the outer unknown (null when not
// aggregated) and T's inner unknown. T uses QOR_IUNKNOWN_AGGREGATABLE() and
// hands InnerUnknown() to the aggregating outer object.
template <class T>
class Aggregatable {
 public:
  IUnknown* ControllingUnknown() noexcept { return mOuter ? mOuter : &mInner; }
  IUnknown* InnerUnknown() noexcept { return &mInner; }
  bool IsAggregated() const noexcept { return mOuter != nullptr; }

 protected:
  // outer is not counted: the outer object owns the aggregate, not the reverse.
  explicit Aggregatable(IUnknown* outer) noexcept
      : mInner(static_cast<T&>(*this)), mOuter(outer) {}

 private:
  NonDelegatingUnknown<T> mInner;
  IUnknown* mOuter;
};

}  // namespace QOR
