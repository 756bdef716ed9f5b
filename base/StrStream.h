// QOR::basic_strstreambuf and QOR::basic_ostrstream: the strstream pair for any unit type.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <ios>
#include <new>
#include <ostream>
#include <streambuf>
#include <string>

namespace QOR {

// Over a caller's buffer the storage is fixed (a full buffer fails the write); in dynamic mode
// it grows by half its size, at least 32 units, through the given allocation functions.
template <typename CharT>
class basic_strstreambuf : public std::basic_streambuf<CharT> {
 public:
  using Base = std::basic_streambuf<CharT>;
  using typename Base::int_type;
  using typename Base::off_type;
  using typename Base::pos_type;
  using typename Base::traits_type;
  using AllocFn = void* (*)(std::size_t);
  using FreeFn = void (*)(void*);

  static constexpr std::streamsize kMinAllocation = 32;

  explicit basic_strstreambuf(std::streamsize initialSize = 0)
      : mInitialSize(std::max(initialSize, kMinAllocation)) {}
  basic_strstreambuf(AllocFn alloc, FreeFn free) : mAlloc(alloc), mFree(free) {}
  // Fixed storage of count units (0: up to the first NUL; negative: unbounded); the put area
  // starts at putStart, or there is none when it is null.
  basic_strstreambuf(CharT* buffer, std::streamsize count, CharT* putStart = nullptr)
      : mDynamic(false) {
    CharT* end = buffer + Extent(buffer, count);
    this->setg(buffer, buffer, putStart != nullptr ? putStart : end);
    if (putStart != nullptr) this->setp(putStart, end);
  }
  basic_strstreambuf(const basic_strstreambuf&) = delete;
  basic_strstreambuf& operator=(const basic_strstreambuf&) = delete;
  ~basic_strstreambuf() override {
    if (mDynamic && !mFrozen) Free(this->eback());
  }

  // A frozen buffer neither grows nor frees its storage.
  void freeze(bool frozen = true) noexcept {
    if (mDynamic) mFrozen = frozen;
  }
  // The storage, frozen; the caller owns it in dynamic mode.
  CharT* str() noexcept {
    freeze();
    return this->eback();
  }
  std::streamsize pcount() const noexcept {
    return this->pptr() == nullptr ? 0 : this->pptr() - this->pbase();
  }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    if (this->pptr() == this->epptr() && !Grow()) return traits_type::eof();
    *this->pptr() = traits_type::to_char_type(c);
    this->pbump(1);
    return c;
  }

  pos_type seekoff(off_type off, std::ios_base::seekdir dir,
                   std::ios_base::openmode which) override {
    const pos_type failed = pos_type(off_type(-1));
    if ((which & std::ios_base::out) == 0 || this->pbase() == nullptr) return failed;
    mHigh = std::max(mHigh, this->pptr());
    const off_type high = mHigh - this->pbase();
    off_type base = 0;
    if (dir == std::ios_base::cur) base = this->pptr() - this->pbase();
    if (dir == std::ios_base::end) base = high;
    const off_type target = base + off;
    if (target < 0 || target > high) return failed;
    this->setp(this->pbase(), this->epptr());
    this->pbump(static_cast<int>(target));
    return pos_type(target);
  }

  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override {
    return seekoff(off_type(pos), std::ios_base::beg, which);
  }

 private:
  static std::streamsize Extent(const CharT* buffer, std::streamsize count) {
    if (count > 0) return count;
    if (count == 0) return static_cast<std::streamsize>(std::char_traits<CharT>::length(buffer));
    return 0x7FFFFFFF;
  }

  CharT* Allocate(std::size_t units) {
    void* block = mAlloc != nullptr ? mAlloc(units * sizeof(CharT)) : ::operator new(units * sizeof(CharT), std::nothrow);
    return static_cast<CharT*>(block);
  }
  void Free(CharT* block) {
    if (block == nullptr) return;
    if (mFree != nullptr) {
      mFree(block);
    } else {
      ::operator delete(block);
    }
  }

  bool Grow() {
    if (!mDynamic || mFrozen) return false;
    CharT* old = this->eback() != nullptr ? this->eback() : this->pbase();
    const std::streamsize size = this->epptr() - old;
    const std::streamsize grown =
        size == 0 ? mInitialSize : size + std::max(size / 2, kMinAllocation);
    CharT* block = Allocate(static_cast<std::size_t>(grown));
    if (block == nullptr) return false;
    const std::streamsize used = this->pptr() - old;
    if (used > 0) traits_type::copy(block, old, static_cast<std::size_t>(used));
    const std::ptrdiff_t high = mHigh != nullptr ? mHigh - old : 0;
    const std::ptrdiff_t got = this->gptr() != nullptr ? this->gptr() - old : 0;
    Free(old);
    this->setp(block, block + grown);
    this->pbump(static_cast<int>(used));
    this->setg(block, block + got, block + used);
    mHigh = block + std::max<std::ptrdiff_t>(high, used);
    return true;
  }

  bool mDynamic = true;
  bool mFrozen = false;
  std::streamsize mInitialSize = kMinAllocation;
  AllocFn mAlloc = nullptr;
  FreeFn mFree = nullptr;
  CharT* mHigh = nullptr;
};

template <typename CharT>
class basic_ostrstream : public std::basic_ostream<CharT> {
 public:
  // Dynamic storage.
  basic_ostrstream() : std::basic_ostream<CharT>(nullptr) { this->init(&mBuffer); }
  // The caller's buffer of count units; with app the writing starts after its text.
  basic_ostrstream(CharT* buffer, std::streamsize count,
                   std::ios_base::openmode mode = std::ios_base::out)
      : std::basic_ostream<CharT>(nullptr),
        mBuffer(buffer, count,
                (mode & std::ios_base::app) != 0
                    ? buffer + std::char_traits<CharT>::length(buffer)
                    : buffer) {
    this->init(&mBuffer);
  }

  basic_strstreambuf<CharT>* rdbuf() const noexcept {
    return const_cast<basic_strstreambuf<CharT>*>(&mBuffer);
  }
  void freeze(bool frozen = true) noexcept { mBuffer.freeze(frozen); }
  CharT* str() noexcept { return mBuffer.str(); }
  std::streamsize pcount() const noexcept { return mBuffer.pcount(); }

 private:
  basic_strstreambuf<CharT> mBuffer;
};

}  // namespace QOR
