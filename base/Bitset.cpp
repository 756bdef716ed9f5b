// QOR::Bitset: private copies, growth through WordAt and the bitwise operations.
#include "base/Bitset.h"

#include "base/BitsetRep.h"

#include <algorithm>

namespace QOR {

namespace {

constexpr uint32_t kAllBits = 0xFFFFFFFFu;

int32_t HighestBit(uint32_t word) noexcept { return 31 - __builtin_clz(word); }
int32_t LowestBit(uint32_t word) noexcept { return __builtin_ctz(word); }

}  // namespace

Bitset::Bitset(const Bitset& other) {
  if (other.mRep != nullptr) mRep = BitsetRep::CopyOf(other.mRep);
}

Bitset& Bitset::operator=(const Bitset& other) {
  Assign(other);
  return *this;
}

Bitset::~Bitset() { Replace(nullptr); }

void Bitset::Replace(IQORBitset* rep) noexcept {
  IQORBitset* old = mRep;
  mRep = rep;
  if (old != nullptr) old->Release();
}

void Bitset::Create() { Replace(BitsetRep::Allocate(BitsetRep::kMinWords, 0)); }

void Bitset::Assign(const Bitset& other) { Assign(other.mRep); }

void Bitset::Assign(IQORBitset* set) {
  // The copy is made before the old set goes, so assigning a handle to itself is safe.
  Replace(set == nullptr ? nullptr : BitsetRep::CopyOf(set));
}

void Bitset::Detach() {
  Replace(mRep == nullptr ? BitsetRep::Allocate(BitsetRep::kMinWords, 0)
                          : BitsetRep::CopyOf(mRep));
}

IQORBitset* Bitset::GetInterface() const noexcept { return mRep; }

BitsetRep* Bitset::Own() {
  if (mRep == nullptr || mRep->GetImplementation() != kQORBitsetImplementation) Detach();
  return static_cast<BitsetRep*>(mRep);
}

const BitsetRep* Bitset::OwnOrNull() const noexcept {
  if (mRep == nullptr || mRep->GetImplementation() != kQORBitsetImplementation) return nullptr;
  return static_cast<const BitsetRep*>(mRep);
}

uint32_t Bitset::WordCount() const noexcept {
  const BitsetRep* rep = OwnOrNull();
  return rep == nullptr ? 0 : rep->mWordCount;
}

uint32_t Bitset::FillWord() const noexcept {
  const BitsetRep* rep = OwnOrNull();
  return rep == nullptr ? 0 : rep->mFill;
}

uint32_t Bitset::Word(uint32_t n) const noexcept {
  const BitsetRep* rep = OwnOrNull();
  if (rep == nullptr) return 0;
  return n < rep->mWordCount ? rep->Words()[n] : rep->mFill;
}

uint32_t& Bitset::WordAt(uint32_t n) {
  BitsetRep* rep = Own();
  if (n >= rep->mWordCount) {
    rep = rep->Copy(n + 1);
    Replace(rep);
  }
  return rep->Words()[n];
}

void Bitset::SetFirstBits(uint32_t n) {
  const uint32_t whole = n / 32;
  if (n % 32 != 0) WordAt(whole) |= (1u << (n % 32)) - 1;
  for (uint32_t i = 0; i < whole; ++i) WordAt(i) = kAllBits;
}

void Bitset::OrWith(const Bitset& other) {
  if (other.mRep == nullptr) return;
  const Bitset theirs(other);
  const uint32_t theirWords = theirs.WordCount();
  // Every word the other stores is combined here, so the result's fill may differ from it.
  if (theirWords > 0) WordAt(theirWords - 1);
  BitsetRep* rep = Own();
  for (uint32_t i = 0; i < rep->mWordCount; ++i) rep->Words()[i] |= theirs.Word(i);
  rep->mFill |= theirs.FillWord();
}

void Bitset::XorWith(const Bitset& other) {
  if (other.mRep == nullptr) return;
  const Bitset theirs(other);
  const uint32_t theirWords = theirs.WordCount();
  if (theirWords > 0) WordAt(theirWords - 1);
  BitsetRep* rep = Own();
  for (uint32_t i = 0; i < rep->mWordCount; ++i) rep->Words()[i] ^= theirs.Word(i);
  rep->mFill ^= theirs.FillWord();
}

int32_t Bitset::BitLength() const noexcept {
  const BitsetRep* rep = OwnOrNull();
  if (rep == nullptr) return 0;
  if (rep->mFill != 0) return -1;
  for (uint32_t i = rep->mWordCount; i > 0; --i) {
    const uint32_t word = rep->Words()[i - 1];
    if (word != 0) return static_cast<int32_t>((i - 1) * 32) + HighestBit(word) + 1;
  }
  return 0;
}

int32_t Bitset::LowestSetBit() const noexcept {
  const BitsetRep* rep = OwnOrNull();
  if (rep == nullptr) return -1;
  for (uint32_t i = 0; i < rep->mWordCount; ++i) {
    const uint32_t word = rep->Words()[i];
    if (word != 0) return static_cast<int32_t>(i * 32) + LowestBit(word);
  }
  return rep->mFill == 0 ? -1 : static_cast<int32_t>(rep->mWordCount * 32);
}

}  // namespace QOR
