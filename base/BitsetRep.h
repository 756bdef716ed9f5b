// QOR::BitsetRep: one heap block holding a bit set's header and its words.
#pragma once

#include "base/IQORBitset.h"

#include <windows.h>

#include <cstdint>

namespace QOR {

// The interface table pointer, the count, the word count, the fill word, then the words.
// It dies through its last Release, never through delete.
class BitsetRep final : public IQORBitset {
 public:
  static constexpr uint32_t kMinWords = 2;

  // A new set of max(words, 2) words, all taking fill, with one reference.
  static BitsetRep* Allocate(uint32_t words, uint32_t fill);
  // A new set of max(words, this word count) words copying this one's; the extra words take
  // the fill word.
  BitsetRep* Copy(uint32_t words) const;
  // A new set copied from any implementation of IQORBitset.
  static BitsetRep* CopyOf(IQORBitset* set);

  uint32_t* Words() noexcept { return reinterpret_cast<uint32_t*>(this + 1); }
  const uint32_t* Words() const noexcept { return reinterpret_cast<const uint32_t*>(this + 1); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  long STDMETHODCALLTYPE GetImplementation() noexcept override;
  HRESULT STDMETHODCALLTYPE Destroy() noexcept override;
  HRESULT STDMETHODCALLTYPE GetWordCount(long* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetWords(long count, unsigned long* words,
                                     unsigned long* fill) noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IQORBitset** copy) noexcept override;
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) noexcept override;

  volatile LONG mRefCount = 1;
  uint32_t mWordCount = 0;
  uint32_t mFill = 0;

 private:
  BitsetRep() = default;
  ~BitsetRep() = default;
};

static_assert(sizeof(void*) != 4 || sizeof(BitsetRep) == 16, "in 32 bits the words follow the four header words");

}  // namespace QOR
