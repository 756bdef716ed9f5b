// The object root's lock, made on request and deleted with the object.
#include "hostclient/ComObjectRoot.h"

namespace QOR {

CComObjectRoot::~CComObjectRoot() {
  if (!mLockInitialised) return;
  mLockInitialised = false;
  DeleteCriticalSection(&mLock);
}

bool CComObjectRoot::InitLock() noexcept {
  if (mLockInitialised) return true;
  if (!InitializeCriticalSectionAndSpinCount(&mLock, 0)) return false;
  mLockInitialised = true;
  return true;
}

}  // namespace QOR
