// QOR::MemStreamBufBase: a wide stream buffer whose storage a derived class lends and grows.
#pragma once

#include <cstdint>
#include <streambuf>

namespace QOR {

class MemStreamBufBase : public std::basic_streambuf<wchar_t> {
 protected:
  // Makes the storage private keeping its capacity; answers the text, its capacity (units,
  // terminator included) and the units already in use.
  virtual wchar_t* AcquireBuffer(uint32_t* capacity, uint32_t* used) = 0;
  // Stores the length written so far, gives the storage newCapacity units and answers the
  // (possibly moved) text and its capacity.
  virtual wchar_t* CommitLength(uint32_t newCapacity, uint32_t* capacity) = 0;
  // Does nothing; kept so derived buffers keep their table layout.
  virtual void Reserved() {}
};

}  // namespace QOR
