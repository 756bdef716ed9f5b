// MemoryStream: a COM stream in memory for the binary storage stream tests, read from its start.
#pragma once

#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

class MemoryStream {
 public:
  using Bytes = std::vector<uint8_t>;

  explicit MemoryStream(const Bytes& bytes = Bytes()) {
    CreateStreamOnHGlobal(nullptr, TRUE, &mStream);
    ULONG written = 0;
    if (!bytes.empty()) mStream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    Rewind();
  }
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  ~MemoryStream() { EXPECT_EQ(mStream->Release(), 0u); }
  IStream* Get() const { return mStream; }
  void Rewind() {
    LARGE_INTEGER zero{};
    mStream->Seek(zero, STREAM_SEEK_SET, nullptr);
  }
  Bytes Contents() {
    STATSTG stat{};
    mStream->Stat(&stat, STATFLAG_NONAME);
    Bytes bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    Rewind();
    ULONG read = 0;
    mStream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    return bytes;
  }

 private:
  IStream* mStream = nullptr;
};
