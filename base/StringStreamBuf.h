// QOR::StringStreamBuf: a wide stream buffer writing straight into a QOR::String.
#pragma once

#include "base/MemStreamBufBase.h"
#include "base/String.h"

#include <cstddef>
#include <ios>

namespace QOR {

// Writing appends to the string; str() ends the text and hands out the string (shared);
// writing after that goes on in a private copy, so what str() handed out stays unchanged.
class StringStreamBuf : public MemStreamBufBase {
 public:
  StringStreamBuf();
  ~StringStreamBuf() override = default;

  String str();

 protected:
  int_type overflow(int_type c) override;
  pos_type seekoff(off_type off, std::ios_base::seekdir dir,
                   std::ios_base::openmode which) override;
  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;
  wchar_t* AcquireBuffer(uint32_t* capacity, uint32_t* used) override;
  wchar_t* CommitLength(uint32_t newCapacity, uint32_t* capacity) override;

 private:
  // Sets up the put area for the first write, or reopens it after str().
  void Open();
  void SetArea(wchar_t* text, uint32_t capacity, uint32_t used);
  // Units written so far: the furthest the put pointer has been.
  uint32_t Written() noexcept;

  String mString;
  std::ios_base::openmode mMode = std::ios_base::in | std::ios_base::out;
  bool mTerminated = false;
  uint32_t mHigh = 0;
};

}  // namespace QOR
