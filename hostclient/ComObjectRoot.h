// QOR::CComObjectRoot: the reference-counting root of the module's map-driven COM objects,
// and the IUnknown declarations of objects built on it.
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

// The single-interface bases, kept reachable for users of this header.
#include "hostclient/SimpleUnknownImp.h"
