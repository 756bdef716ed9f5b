// IterAtlEnum: Next, Skip, Reset and Clone over a static list of interface ids.
#include "hostclient/IterAtlEnum.h"

#include "hostclient/ModuleInstance.h"

#include <new>

IterAtlEnum::IterAtlEnum(const IID* const* first, const IID* const* last,
                         const IID* const* current, IUnknown* owner) noexcept
    : mCurrent(current), mOwner(owner), mFirst(first), mLast(last) {
  LockModule();
}

IterAtlEnum::~IterAtlEnum() { UnlockModule(); }

HRESULT IterAtlEnum::Create(const IID* const* first, const IID* const* last,
                            const IID* const* current, IUnknown* owner,
                            IEnumInterface** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto* const made = new (std::nothrow) IterAtlEnum(first, last, current, owner);
  if (!made) return E_OUTOFMEMORY;
  made->InternalAddRef();
  *out = made;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE IterAtlEnum::Next(uint32_t count, const IID** iids,
                                            uint32_t* fetched) noexcept {
  if (!iids || (count != 1 && !fetched)) return E_POINTER;
  uint32_t copied = 0;
  while (copied < count && mCurrent != mLast) iids[copied++] = *mCurrent++;
  if (fetched) *fetched = copied;
  return copied == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE IterAtlEnum::Skip(uint32_t count) noexcept {
  uint32_t skipped = 0;
  while (skipped < count && mCurrent != mLast) {
    ++mCurrent;
    ++skipped;
  }
  return skipped == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE IterAtlEnum::Reset() noexcept {
  mCurrent = mFirst;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE IterAtlEnum::Clone(IEnumInterface** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  ComPtr<IEnumInterface> made;
  const HRESULT hr = Create(mFirst, mLast, mCurrent, mOwner.Get(), made.Out());
  if (FAILED(hr)) return hr;
  return made->QueryInterface(IID_IEnumInterface, reinterpret_cast<void**>(clone));
}
