// The binary storage streams over COM IStreams: byte format, old encodings, failures and hostile input.
#include "base/BinIStream.h"
#include "base/BinOStream.h"
#include "base/StorageBinIStreamLite.h"
#include "base/StorageBinOStreamLite.h"
#include "base/XQOR.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace QOR;
using Bytes = std::vector<uint8_t>;

struct Stream {
  IStream* p = nullptr;
  Stream() { CreateStreamOnHGlobal(nullptr, TRUE, &p); }
  explicit Stream(const Bytes& bytes) : Stream() {
    ULONG written = 0;
    p->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER zero{};
    p->Seek(zero, STREAM_SEEK_SET, nullptr);
  }
  Stream(const Stream&) = delete;
  ~Stream() { EXPECT_EQ(p->Release(), 0u); }
  Bytes Contents() const {
    STATSTG stat{};
    p->Stat(&stat, STATFLAG_NONAME);
    HGLOBAL global = nullptr;
    GetHGlobalFromStream(p, &global);
    const auto* data = static_cast<const uint8_t*>(GlobalLock(global));
    Bytes bytes(data, data + stat.cbSize.QuadPart);
    GlobalUnlock(global);
    return bytes;
  }
};

void Append(Bytes& bytes, int32_t word) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(word) >> (8 * i)));
}

Bytes Words(std::initializer_list<int32_t> words) {
  Bytes bytes;
  for (const int32_t w : words) Append(bytes, w);
  return bytes;
}

// One of every value, as the settings and the grid write them.
void WriteSample(IBinOutStream& out) {
  out.WriteByte(0xFE);
  out.WriteShort(0x12345678);
  out.WriteLong(-7);
  out.WriteFloat(1.5f);
  out.WriteDouble(-2.25);
  out.WriteBytes("xyz", 3);
  out.WriteString(String(L"Gr\u00FC\u00DFe").GetInterface());
  out.WriteInt64(0x0102030405060708LL);
  out.WriteString(nullptr);
}

// Reads back what WriteSample wrote; throws XQOR for a corrupt string.
void ExpectSample(BinIStream& in, bool complete) {
  uint8_t byte = 0;
  int16_t shortValue = 0;
  long longValue = 0;
  float floatValue = 0;
  double doubleValue = 0;
  char bytes[3] = {};
  int64_t int64Value = 0;
  in.ReadByte(&byte);
  in.ReadShort(&shortValue);
  in.ReadLong(&longValue);
  in.ReadFloat(&floatValue);
  in.ReadDouble(&doubleValue);
  in.ReadBytes(bytes, 3);
  const String text = in.ReadString();
  in.ReadInt64(&int64Value);
  const String empty = in.ReadString();
  if (!complete) return;
  EXPECT_EQ(in.GetStatus(), S_OK);
  EXPECT_EQ(byte, 0xFE);
  EXPECT_EQ(shortValue, 0x5678);
  EXPECT_EQ(longValue, -7);
  EXPECT_EQ(floatValue, 1.5f);
  EXPECT_EQ(doubleValue, -2.25);
  EXPECT_EQ(std::string(bytes, 3), "xyz");
  EXPECT_STREQ(text.GetText(), L"Gr\u00FC\u00DFe");
  EXPECT_EQ(int64Value, 0x0102030405060708LL);
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(BinStream, EveryValueRoundTripsThroughAnHGlobalStream) {
  Stream stream;
  {
    StorageBinOStreamLite out(stream.p);
    WriteSample(out);
    long position = 0;
    EXPECT_EQ(out.Tell(&position), S_OK);
    EXPECT_EQ(position, static_cast<long>(4 + 1 + 2 + 4 + 4 + 8 + 3 + (12 + 12) + 8 + 14));
    EXPECT_EQ(out.Flush(), S_OK);
  }
  const Bytes bytes = stream.Contents();
  ASSERT_EQ(bytes.size(), 72u);
  // Header word, then the empty string last: tag, count 1, check -1, the terminator.
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{0xAA, 0xAA, 0x14, 0x55}));
  EXPECT_EQ(Bytes(bytes.end() - 14, bytes.end()),
            (Bytes{0x01, 0x00, 0x00, 0x80, 0x01, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
  LARGE_INTEGER zero{};
  stream.p->Seek(zero, STREAM_SEEK_SET, nullptr);
  StorageBinIStreamLite in(stream.p);
  long version = 0;
  EXPECT_EQ(in.GetVersion(&version), S_OK);
  EXPECT_EQ(version, 20);
  ExpectSample(in, true);
  long position = 0;
  EXPECT_EQ(in.Tell(&position), S_OK);
  EXPECT_EQ(position, 72);
}

TEST(BinStream, OldEncodingsRead) {
  // Version 1 (no header): a narrow count, at most 64000 bytes.
  Bytes old = Words({5});
  for (const char c : std::string("abcde")) old.push_back(static_cast<uint8_t>(c));
  Stream oldStream(old);
  StorageBinIStreamLite oldIn(oldStream.p);
  EXPECT_EQ(oldIn.Version(), 1);
  EXPECT_STREQ(oldIn.ReadString().GetText(), L"abcde");

  Bytes longest = Words({64000});
  longest.resize(longest.size() + 64000, 'q');
  Stream longestStream(longest);
  StorageBinIStreamLite longestIn(longestStream.p);
  EXPECT_EQ(longestIn.ReadString().Length(), 64000);

  // Version 20 narrow (tag without the top bit), and a wide string stored without its terminator.
  Bytes mixed = Words({static_cast<int32_t>(0x5514AAAA), 1, 3, -3, 'o' | 'k' << 8 | 'x' << 16});
  mixed.resize(mixed.size() - 1);
  Append(mixed, kBinStringWideTag);
  Append(mixed, 2);
  Append(mixed, -2);
  for (const uint8_t b : Bytes{'h', 0, 'i', 0}) mixed.push_back(b);
  Stream mixedStream(mixed);
  StorageBinIStreamLite mixedIn(mixedStream.p);
  EXPECT_STREQ(mixedIn.ReadString().GetText(), L"okx");
  const String unterminated = mixedIn.ReadString();
  EXPECT_STREQ(unterminated.GetText(), L"hi");
  EXPECT_EQ(unterminated.Length(), 2);
  EXPECT_EQ(mixedIn.GetStatus(), S_OK);
}

TEST(BinStream, CorruptOrHostileStringsAreRefusedBeforeAllocating) {
  const Bytes header = Words({static_cast<int32_t>(0x5514AAAA)});
  const struct {
    Bytes body;
    const char* what;
  } cases[] = {
      {Words({64001}), "old count above 64000"},
      {Words({-1}), "old negative count"},
      {Words({kBinStringWideTag, 3, -2, 0, 0}), "check word does not cancel the count"},
      {Words({kBinStringWideTag, -5, 5}), "negative count"},
      {Words({kBinStringWideTag, 0x7FFFFFFF, -0x7FFFFFFF}), "huge wide count"},
      {Words({kBinStringWideTag, 5, -5, 0}), "wide count beyond the stream"},
      {Words({1, 9, -9, 0}), "narrow count beyond the stream"},
  };
  for (const auto& c : cases) {
    const bool old = std::string(c.what).rfind("old", 0) == 0;
    Bytes bytes = old ? Bytes() : header;
    bytes.insert(bytes.end(), c.body.begin(), c.body.end());
    Stream stream(bytes);
    StorageBinIStreamLite in(stream.p);
    IQORString* text = reinterpret_cast<IQORString*>(1);
    EXPECT_EQ(in.ReadString(&text), kXQORCorruptString) << c.what;
    EXPECT_EQ(text, nullptr) << c.what;
    // The failure sticks: a caller checking the status only at the end still sees it.
    EXPECT_EQ(in.GetStatus(), E_FAIL) << c.what;
  }
}

TEST(BinStream, StringsPastAMillionUnitsAreRefusedEvenWhenTheBytesAreThere) {
  for (const int32_t units : {kBinStringMaxUnits, kBinStringMaxUnits + 1}) {
    Bytes bytes = Words({static_cast<int32_t>(0x5514AAAA), kBinStringWideTag, units, -units});
    bytes.resize(bytes.size() + 2 * static_cast<size_t>(units), 'a');
    Stream stream(bytes);
    StorageBinIStreamLite in(stream.p);
    if (units == kBinStringMaxUnits) {
      EXPECT_EQ(in.ReadString().Length(), units);
    } else {
      EXPECT_THROW(in.ReadString(), XQOR);
      EXPECT_EQ(in.GetStatus(), E_FAIL);
    }
  }
}

// Cutting the sample stream anywhere ends in a failed status or the corrupt-string error.
TEST(BinStream, EveryCutOfAStreamFailsCleanly) {
  Stream whole;
  {
    StorageBinOStreamLite out(whole.p);
    WriteSample(out);
  }
  const Bytes bytes = whole.Contents();
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    Stream stream(Bytes(bytes.begin(), bytes.begin() + cut));
    StorageBinIStreamLite in(stream.p);
    try {
      ExpectSample(in, false);
      EXPECT_EQ(in.GetStatus(), E_FAIL) << "cut at " << cut;
    } catch (const XQOR& e) {
      EXPECT_EQ(e.code(), kXQORCorruptString) << "cut at " << cut;
      EXPECT_EQ(in.GetStatus(), E_FAIL) << "cut at " << cut;
    }
  }
}

TEST(BinStream, AfterAShortReadNothingMoves) {
  Stream stream(Words({static_cast<int32_t>(0x5514AAAA), 42, 0x1234}));
  StorageBinIStreamLite in(stream.p);
  EXPECT_EQ(ReadWord(in), 42);
  double partial = 0;
  EXPECT_EQ(in.ReadDouble(&partial), E_FAIL);  // only 4 of 8 bytes left
  long before = 0;
  in.Tell(&before);
  // Skipped reads leave their targets alone; a word read into 0 is therefore 0.
  int32_t word = 5;
  uint16_t half = 6;
  uint8_t byte = 7;
  EXPECT_EQ(in.ReadInt32(&word), E_FAIL);
  EXPECT_EQ(in.ReadUShort(&half), E_FAIL);
  EXPECT_EQ(in.ReadByte(&byte), E_FAIL);
  EXPECT_EQ(word, 5);
  EXPECT_EQ(half, 6);
  EXPECT_EQ(byte, 0);
  EXPECT_EQ(ReadWord(in), 0);
  EXPECT_TRUE(in.ReadString().IsEmpty());
  long after = 0;
  in.Tell(&after);
  EXPECT_EQ(after, before);
}

// A byte buffer of fixed size: writes beyond it are refused.
class FixedBuffer final : public std::streambuf {
 public:
  explicit FixedBuffer(size_t size) : mBytes(size) { setp(mBytes.data(), mBytes.data() + size); }

 private:
  std::vector<char> mBytes;
};

TEST(BinStream, AShortWriteFailsEveryLaterWrite) {
  FixedBuffer buffer(10);
  BinOStream out(&buffer, false);
  EXPECT_EQ(out.WriteLong(1), S_OK);
  EXPECT_EQ(out.WriteDouble(2.0), E_FAIL);
  EXPECT_EQ(out.GetState(), kBinStreamShort);
  EXPECT_EQ(out.WriteByte(1), E_FAIL);
  EXPECT_EQ(out.Flush(), E_FAIL);
  // Without a stream the object is failed from the start.
  StorageBinOStreamLite detached(nullptr);
  EXPECT_EQ(detached.GetState(), kBinStreamDetached);
  StorageBinIStreamLite nothing(nullptr);
  EXPECT_EQ(nothing.Version(), 0);
  EXPECT_EQ(nothing.GetStatus(), E_FAIL);
}

TEST(BinStream, SeekBackKeepsWhatFollowsAndResetEmptiesTheStream) {
  Stream stream;
  {
    StorageBinOStreamLite out(stream.p);
    out.WriteLong(0);  // a length filled in later
    out.WriteLong(2);
    out.WriteLong(3);
    EXPECT_EQ(out.Seek(4), S_OK);
    out.WriteLong(9);
    EXPECT_EQ(out.Seek(16), S_OK);
    out.WriteLong(4);
  }
  EXPECT_EQ(stream.Contents(), Words({static_cast<int32_t>(0x5514AAAA), 9, 2, 3, 4}));
  Stream large;
  {
    // Beyond one buffer: the seek back leaves the buffer, and what lies between is kept.
    StorageBinOStreamLite out(large.p);
    for (int32_t i = 0; i < 600; ++i) out.WriteLong(i);
    EXPECT_EQ(out.Seek(8), S_OK);
    out.WriteLong(-1);
    EXPECT_EQ(out.Seek(2404), S_OK);
    out.WriteLong(600);
  }
  const Bytes big = large.Contents();
  ASSERT_EQ(big.size(), 2408u);
  for (int32_t i = 0; i <= 600; ++i) {
    int32_t word = 0;
    memcpy(&word, big.data() + 4 + 4 * i, 4);
    EXPECT_EQ(word, i == 1 ? -1 : i) << i;
  }
  {
    StorageBinOStreamLite out(stream.p);
    EXPECT_EQ(out.Reset(), S_OK);
    EXPECT_TRUE(stream.Contents().empty());
    out.WriteLong(5);
  }
  EXPECT_EQ(stream.Contents(), Words({5}));
}

}  // namespace
