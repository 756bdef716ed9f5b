// Tests of QOR::Bitset: the fill word, growth and the bitwise operations.
#include "base/Bitset.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using QOR::Bitset;

// A set implemented elsewhere, the only way to hand a handle a set with its fill word on.
class ForeignBitset final : public IQORBitset {
 public:
  ForeignBitset(std::vector<unsigned long> words, unsigned long fill)
      : mWords(std::move(words)), mFill(fill) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  long STDMETHODCALLTYPE GetImplementation() override { return 7; }
  HRESULT STDMETHODCALLTYPE Destroy() override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE GetWordCount(long* count) override {
    *count = static_cast<long>(mWords.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetWords(long count, unsigned long* words,
                                     unsigned long* fill) override {
    for (long i = 0; i < count && i < static_cast<long>(mWords.size()); ++i) words[i] = mWords[i];
    *fill = mFill;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IQORBitset** copy) override {
    *copy = nullptr;
    return E_NOTIMPL;
  }
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int) override { return this; }

 private:
  std::vector<unsigned long> mWords;
  unsigned long mFill;
};

Bitset FromForeign(std::vector<unsigned long> words, unsigned long fill) {
  ForeignBitset foreign(std::move(words), fill);
  Bitset set;
  set.Assign(&foreign);
  return set;
}

TEST(Bitset, LengthAndLowestBitFollowTheFillWord) {
  Bitset none;
  EXPECT_EQ(none.BitLength(), 0);
  EXPECT_EQ(none.LowestSetBit(), -1);
  Bitset empty;
  empty.Create();
  EXPECT_EQ(empty.WordCount(), 2u);
  EXPECT_EQ(empty.BitLength(), 0);
  EXPECT_EQ(empty.LowestSetBit(), -1);
  const Bitset filled = FromForeign({0, 0, 0}, 0xFFFFFFFFu);
  EXPECT_EQ(filled.BitLength(), -1);
  EXPECT_EQ(filled.LowestSetBit(), 96);  // the first index beyond the stored words
  const Bitset some = FromForeign({0, 0x100}, 0);
  EXPECT_EQ(some.BitLength(), 41);
  EXPECT_EQ(some.LowestSetBit(), 40);
}

TEST(Bitset, WordAtExtendsWithTheFillWord) {
  Bitset set = FromForeign({1, 2}, 0xFFFFFFFFu);
  set.WordAt(5) = 0;
  ASSERT_EQ(set.WordCount(), 6u);
  EXPECT_EQ(set.Word(0), 1u);
  EXPECT_EQ(set.Word(1), 2u);
  for (uint32_t i = 2; i < 5; ++i) EXPECT_EQ(set.Word(i), 0xFFFFFFFFu) << i;
  EXPECT_EQ(set.Word(5), 0u);
  EXPECT_EQ(set.Word(9), 0xFFFFFFFFu);
}

TEST(Bitset, SetFirstBits) {
  Bitset set;
  set.Create();
  set.SetFirstBits(33);
  EXPECT_EQ(set.Word(0), 0xFFFFFFFFu);
  EXPECT_EQ(set.Word(1), 1u);
  EXPECT_EQ(set.BitLength(), 33);
}

TEST(Bitset, CopiesArePrivateAndGetWordsReportsTruncation) {
  Bitset first;
  first.Create();
  first.SetFirstBits(3);
  Bitset second(first);
  second.WordAt(0) = 0;
  EXPECT_EQ(first.Word(0), 7u);
  second = first;
  EXPECT_EQ(second.Word(0), 7u);
  EXPECT_NE(second.GetInterface(), first.GetInterface());
  unsigned long words[2] = {};
  unsigned long fill = 1;
  EXPECT_EQ(first.GetInterface()->GetWords(1, words, &fill), S_FALSE);
  EXPECT_EQ(words[0], 7ul);
  EXPECT_EQ(fill, 0ul);
  EXPECT_EQ(first.GetInterface()->GetWords(2, words, &fill), S_OK);
  EXPECT_EQ(first.GetInterface()->Destroy(), E_FAIL);  // still referenced
}

TEST(Bitset, CombinesEveryIndexIncludingBeyondTheWords) {
  // OR with a longer set whose stored words are clear but whose fill is set: the words the
  // other stores stay clear in the result even though the result's fill word is set.
  Bitset set;
  set.Create();
  set.SetFirstBits(1);
  set.OrWith(FromForeign({0, 0, 0, 0}, 0xFFFFFFFFu));
  EXPECT_EQ(set.Word(0), 1u);
  EXPECT_EQ(set.Word(3), 0u);
  EXPECT_EQ(set.Word(4), 0xFFFFFFFFu);
  EXPECT_EQ(set.LowestSetBit(), 0);

  Bitset x = FromForeign({0xF0, 0}, 0xFFFFFFFFu);
  x.XorWith(FromForeign({0xFF, 0, 0x3}, 0xFFFFFFFFu));
  EXPECT_EQ(x.Word(0), 0x0Fu);
  EXPECT_EQ(x.Word(1), 0u);
  EXPECT_EQ(x.Word(2), 0xFFFFFFFCu);
  EXPECT_EQ(x.FillWord(), 0u);
  EXPECT_EQ(x.BitLength(), 96);

  Bitset self;
  self.Create();
  self.SetFirstBits(5);
  self.XorWith(self);
  EXPECT_EQ(self.BitLength(), 0);
}

}  // namespace
