// QOR::BitsetRep: allocation, copies and the IQORBitset operations.
#include "base/BitsetRep.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace QOR {

BitsetRep* BitsetRep::Allocate(uint32_t words, uint32_t fill) {
  words = std::max(words, kMinWords);
  if (words > (0x7FFFFFFFu - sizeof(BitsetRep)) / sizeof(uint32_t)) throw std::bad_alloc();
  void* block = ::operator new(sizeof(BitsetRep) + words * sizeof(uint32_t));
  BitsetRep* rep = new (block) BitsetRep();
  rep->mWordCount = words;
  rep->mFill = fill;
  std::fill(rep->Words(), rep->Words() + words, fill);
  return rep;
}

BitsetRep* BitsetRep::Copy(uint32_t words) const {
  BitsetRep* copy = Allocate(std::max(words, mWordCount), mFill);
  std::memcpy(copy->Words(), Words(), mWordCount * sizeof(uint32_t));
  return copy;
}

BitsetRep* BitsetRep::CopyOf(IQORBitset* set) {
  if (set->GetImplementation() == kQORBitsetImplementation)
    return static_cast<BitsetRep*>(set)->Copy(kMinWords);
  long count = 0;
  if (FAILED(set->GetWordCount(&count)) || count < 0) count = 0;
  std::unique_ptr<unsigned long[]> words(new unsigned long[std::max(count, 1L)]());
  unsigned long fill = 0;
  if (FAILED(set->GetWords(count, words.get(), &fill))) {
    std::fill(words.get(), words.get() + count, 0ul);
    fill = 0;
  }
  BitsetRep* copy = Allocate(static_cast<uint32_t>(count), static_cast<uint32_t>(fill));
  for (long i = 0; i < count; ++i) copy->Words()[i] = static_cast<uint32_t>(words[i]);
  return copy;
}

HRESULT BitsetRep::QueryInterface(REFIID iid, void** object) noexcept {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualGUID(iid, IID_IUnknown) && !IsEqualGUID(iid, IID_IQORBitset)) return E_NOINTERFACE;
  *object = static_cast<IQORBitset*>(this);
  AddRef();
  return S_OK;
}

ULONG BitsetRep::AddRef() noexcept { return static_cast<ULONG>(InterlockedIncrement(&mRefCount)); }

ULONG BitsetRep::Release() noexcept {
  const LONG count = InterlockedDecrement(&mRefCount);
  if (count == 0) Destroy();
  return static_cast<ULONG>(count);
}

long BitsetRep::GetImplementation() noexcept { return kQORBitsetImplementation; }

HRESULT BitsetRep::Destroy() noexcept {
  if (mRefCount != 0) return E_FAIL;
  DeletingDestructor(1);
  return S_OK;
}

HRESULT BitsetRep::GetWordCount(long* count) noexcept {
  if (count == nullptr) return E_POINTER;
  *count = static_cast<long>(mWordCount);
  return S_OK;
}

HRESULT BitsetRep::GetWords(long count, unsigned long* words, unsigned long* fill) noexcept {
  if ((count > 0 && words == nullptr) || fill == nullptr) return E_POINTER;
  const uint32_t copied = count <= 0 ? 0 : std::min(static_cast<uint32_t>(count), mWordCount);
  for (uint32_t i = 0; i < copied; ++i) words[i] = Words()[i];
  *fill = mFill;
  return copied < mWordCount ? S_FALSE : S_OK;
}

HRESULT BitsetRep::Clone(IQORBitset** copy) noexcept {
  if (copy == nullptr) return E_POINTER;
  *copy = nullptr;
  try {
    *copy = Copy(mWordCount);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

void* BitsetRep::DeletingDestructor(unsigned int flags) noexcept {
  void* const self = this;
  this->~BitsetRep();
  if ((flags & 1) != 0) ::operator delete(self);
  return self;
}

}  // namespace QOR
