// QOR::StringStreamBuf: the put area over the string's text, growth and termination.
#include "base/StringStreamBuf.h"

#include <algorithm>

namespace QOR {

namespace {

constexpr uint32_t kMaxCapacity = 0x7FFFFFFFu;
// Spare units below which reopening after str() doubles the capacity.
constexpr uint32_t kMinSpare = 8;

uint32_t Doubled(uint32_t capacity) noexcept {
  return capacity > kMaxCapacity / 2 ? kMaxCapacity : 2 * capacity;
}

}  // namespace

StringStreamBuf::StringStreamBuf() = default;

uint32_t StringStreamBuf::Written() noexcept {
  if (pbase() != nullptr) mHigh = std::max(mHigh, static_cast<uint32_t>(pptr() - pbase()));
  return mHigh;
}

void StringStreamBuf::SetArea(wchar_t* text, uint32_t capacity, uint32_t used) {
  // The last unit stays free for the terminator that str() puts in.
  setp(text, text + capacity - 1);
  pbump(static_cast<int>(used));
  if ((mMode & std::ios_base::in) != 0) setg(text, text, text);
  mHigh = std::max(mHigh, used);
}

void StringStreamBuf::Open() {
  uint32_t capacity = 0;
  uint32_t used = 0;
  if (!mTerminated) {
    wchar_t* text = AcquireBuffer(&capacity, &used);
    mHigh = used;
    SetArea(text, capacity, used);
    return;
  }
  // Reopen after str(): go on at the terminator, in a private copy of the text.
  used = static_cast<uint32_t>(mString.Length());
  capacity = static_cast<uint32_t>(mString.GetCapacity()) + 1;
  const uint32_t wanted = capacity - 1 - used < kMinSpare ? Doubled(capacity) : capacity;
  mHigh = used;
  wchar_t* text = CommitLength(wanted, &capacity);
  mTerminated = false;
  SetArea(text, capacity, used);
}

wchar_t* StringStreamBuf::AcquireBuffer(uint32_t* capacity, uint32_t* used) {
  wchar_t* text = mString.MakeUnique();
  *capacity = std::min(static_cast<uint32_t>(mString.GetCapacity()) + 1, kMaxCapacity);
  *used = static_cast<uint32_t>(mString.Length());
  return text;
}

wchar_t* StringStreamBuf::CommitLength(uint32_t newCapacity, uint32_t* capacity) {
  if (pbase() != nullptr) mString.SetLength(static_cast<int>(Written()));
  mString.Reserve(static_cast<int>(newCapacity));
  *capacity = static_cast<uint32_t>(mString.GetCapacity()) + 1;
  return mString.MakeUnique();
}

StringStreamBuf::int_type StringStreamBuf::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  try {
    if (pbase() == nullptr) Open();
    if (pptr() == epptr()) {
      const uint32_t used = static_cast<uint32_t>(pptr() - pbase());
      const uint32_t capacity = static_cast<uint32_t>(epptr() - pbase()) + 1;
      if (capacity >= kMaxCapacity) return traits_type::eof();
      uint32_t grown = 0;
      wchar_t* text = CommitLength(Doubled(capacity), &grown);
      SetArea(text, grown, used);
    }
  } catch (...) {
    // An allocation failure fails the stream instead of unwinding through it.
    return traits_type::eof();
  }
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

String StringStreamBuf::str() {
  if (pbase() != nullptr) {
    wchar_t* text = pbase();
    uint32_t length = Written();
    // A NUL already written ends the text; otherwise one is put after the last unit.
    if (length > 0 && text[length - 1] == 0) {
      --length;
    } else {
      text[length] = 0;
    }
    mString.SetLength(static_cast<int>(length));
    setp(nullptr, nullptr);
    setg(nullptr, nullptr, nullptr);
    mHigh = 0;
    mTerminated = true;
  }
  return mString;
}

StringStreamBuf::pos_type StringStreamBuf::seekoff(off_type off, std::ios_base::seekdir dir,
                                                   std::ios_base::openmode which) {
  const pos_type failed = pos_type(off_type(-1));
  if ((which & std::ios_base::out) == 0) return failed;
  try {
    if (pbase() == nullptr) Open();
  } catch (...) {
    return failed;
  }
  const off_type high = Written();
  off_type base = 0;
  if (dir == std::ios_base::cur) base = pptr() - pbase();
  if (dir == std::ios_base::end) base = high;
  const off_type target = base + off;
  // Moves only within what was written.
  if (target < 0 || target > high) return failed;
  setp(pbase(), epptr());
  pbump(static_cast<int>(target));
  return pos_type(target);
}

StringStreamBuf::pos_type StringStreamBuf::seekpos(pos_type pos, std::ios_base::openmode which) {
  return seekoff(off_type(pos), std::ios_base::beg, which);
}

}  // namespace QOR
