// QOR::Bitset: a handle on a reference-counted bit set with a fill word beyond its words.
#pragma once

#include "base/IQORBitset.h"

#include <cstdint>

namespace QOR {

class BitsetRep;

// One pointer to a set held with one reference; null is the empty set. Copies are private
// copies, so a handle writes only its own rep.
class Bitset {
 public:
  Bitset() noexcept = default;
  Bitset(const Bitset& other);
  Bitset& operator=(const Bitset& other);
  ~Bitset();

  // Holds a new all-clear set of 2 words.
  void Create();
  // Takes a private copy of other's set (an empty handle when other holds none).
  void Assign(const Bitset& other);
  // Gives this handle a private set: a new empty one, or a copy of the one held.
  void Detach();
  // Holds a private copy of set, of this module or not; null empties the handle.
  void Assign(IQORBitset* set);
  // The set as an interface, without an added reference; null for an empty handle.
  IQORBitset* GetInterface() const noexcept;

  uint32_t WordCount() const noexcept;
  uint32_t FillWord() const noexcept;
  // Word n, read-only; a word beyond the stored ones reads as the fill word.
  uint32_t Word(uint32_t n) const noexcept;
  // Writable word n; the set first grows to n + 1 words, the new ones taking the fill word.
  uint32_t& WordAt(uint32_t n);

  // Sets bits 0 to n - 1.
  void SetFirstBits(uint32_t n);
  // Combine every bit, those beyond the stored words included.
  void OrWith(const Bitset& other);
  void XorWith(const Bitset& other);
  // Index of the highest set bit plus one; 0 when none is set, -1 when the fill word is set.
  int32_t BitLength() const noexcept;
  // Index of the lowest set bit; -1 when none is set.
  int32_t LowestSetBit() const noexcept;

 private:
  void Replace(IQORBitset* rep) noexcept;
  // The held set as this module's rep, made private first when it is another's.
  BitsetRep* Own();
  const BitsetRep* OwnOrNull() const noexcept;

  IQORBitset* mRep = nullptr;
};

}  // namespace QOR
