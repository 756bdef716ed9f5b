// Decoding a documents file field by field, as its layout is written down: "ONDV", version,
// count, then per document its class name and its settings stream (header word, version, two
// window placements, the settings store, the table part).
#include "bench/damage/DocumentsImage.h"

#include <cmath>
#include <cstring>
#include <cwchar>
#include <sstream>

namespace sweep {
namespace {

class Cursor {
 public:
  Cursor(const std::vector<uint8_t>& bytes, size_t at, size_t end) : mBytes(bytes), mAt(at), mEnd(end) {}
  bool Word(int32_t& word) {
    if (mEnd - mAt < 4) return false;
    std::memcpy(&word, mBytes.data() + mAt, 4);
    mAt += 4;
    return true;
  }
  bool Skip(size_t n) {
    if (mEnd - mAt < n) return false;
    mAt += n;
    return true;
  }
  size_t At() const { return mAt; }
  void Back(size_t n) { mAt -= n; }
  uint8_t Byte(size_t at) const { return mBytes[at]; }

 private:
  const std::vector<uint8_t>& mBytes;
  size_t mAt;
  size_t mEnd;
};

// A text in the stream's encoding of its version: wide texts keep a NUL inside, as it lies.
bool Text(Cursor& in, int32_t version, std::wstring& text) {
  int32_t tag = 0;
  int32_t count = 0;
  int32_t check = 0;
  if (version < 10) {
    if (!in.Word(count) || count < 0 || count > 64000) return false;
  } else if (!in.Word(tag) || !in.Word(count) || !in.Word(check) || count < 0 ||
             static_cast<uint32_t>(count) + static_cast<uint32_t>(check) != 0) {
    return false;
  }
  const size_t start = in.At();
  const bool wide = tag < 0;
  if (!in.Skip(static_cast<size_t>(count) * (wide ? 2 : 1))) return false;
  text.clear();
  for (int32_t i = 0; i < count; ++i) {
    const wchar_t unit = wide ? static_cast<wchar_t>(in.Byte(start + 2 * i) | in.Byte(start + 2 * i + 1) << 8)
                              : static_cast<wchar_t>(in.Byte(start + i));
    text += unit;
  }
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  if (!wide) text = text.substr(0, std::wcslen(text.c_str()));  // a narrow text ends at its first NUL
  return true;
}

bool Group(Cursor& in, int32_t version, int32_t channel, StreamImage& image) {
  image.versionWords.push_back(in.At());
  int32_t groupVersion = 0;
  int32_t count = 0;
  if (!in.Word(groupVersion)) return false;
  const size_t countAt = in.At();
  if (!in.Word(count) || count < 0 || count > 4096) return false;
  image.groupVersions.push_back(groupVersion);
  for (int32_t i = 0; i < count; ++i) {
    RecordPlace place{channel, 0, 0, 0, 0, countAt};
    image.versionWords.push_back(in.At());
    int32_t recordVersion = 0;
    int32_t end = 0;
    std::wstring text;
    if (!in.Word(recordVersion)) return false;
    place.idAt = in.At();
    if (!in.Word(place.id)) return false;
    place.textAt = in.At();
    if (!Text(in, version, text)) return false;
    place.textBytes = in.At() - place.textAt;
    image.markerWords.push_back(in.At());
    if (!in.Word(end)) return false;
    image.records[{channel, place.id}].push_back(text);
    image.places.push_back(place);
  }
  return true;
}

bool Store(Cursor& in, int32_t version, StreamImage& image) {
  image.versionWords.push_back(in.At());
  if (!in.Word(image.storeVersion)) return false;
  if (image.storeVersion < 1) return true;
  int32_t marker = 0;
  image.markerWords.push_back(in.At());
  if (!in.Word(marker) || !Group(in, version, kGlobalGroup, image)) return false;
  int32_t count = 0;
  image.groupCountAt = in.At();
  if (!in.Word(count) || count < 0 || count > 1024) return false;
  for (int32_t i = 0; i < count; ++i) {
    int32_t channel = 0;
    image.channelWords.push_back(in.At());
    if (!in.Word(channel) || !Group(in, version, channel, image)) return false;
    image.groups.push_back(channel);
  }
  image.markerWords.push_back(in.At());
  return in.Word(marker);
}

bool Placement(Cursor& in, StreamImage& image) {
  int32_t word = 0;
  image.versionWords.push_back(in.At());
  if (!in.Word(word)) return false;
  image.head.push_back(word);
  if (word != 1) return true;
  if (!in.Word(word)) return false;
  image.head.push_back(word);
  for (int i = word != 0 ? 5 : 1; i > 0; --i) {
    if (!in.Word(word)) return false;
    image.head.push_back(word);
  }
  return true;
}

StreamImage Stream(const std::vector<uint8_t>& bytes, size_t start, size_t size) {
  StreamImage image;
  Cursor in(bytes, start, start + size);
  int32_t header = 0;
  int32_t version = 1;
  if (in.Word(header) && (static_cast<uint32_t>(header) & 0xFF00FFFFu) == 0x5500AAAAu)
    version = (header >> 16) & 0xFF;
  else if (size >= 4)
    in.Back(4);  // a stream without its header word is read from its first byte
  int32_t streamVersion = 0;
  image.versionWords.push_back(in.At());
  if (!in.Word(streamVersion)) return image;
  image.head.push_back(streamVersion);
  if (!Placement(in, image) || !Placement(in, image) || !Store(in, version, image)) return image;
  image.tail.assign(bytes.begin() + static_cast<std::ptrdiff_t>(in.At()),
                    bytes.begin() + static_cast<std::ptrdiff_t>(start + size));
  image.whole = true;
  return image;
}

bool SameNumber(const std::wstring& a, const std::wstring& b) {
  wchar_t* endA = nullptr;
  wchar_t* endB = nullptr;
  const double x = std::wcstod(a.c_str(), &endA);
  const double y = std::wcstod(b.c_str(), &endB);
  if (a.empty() || b.empty() || *endA != 0 || *endB != 0 || !std::isfinite(x) || !std::isfinite(y)) return false;
  if (a.size() != std::wcslen(a.c_str()) || b.size() != std::wcslen(b.c_str())) return false;
  return std::fabs(x - y) <= 5e-6 * std::fmax(std::fabs(x), std::fabs(y));
}

}  // namespace

DocumentsImage DecodeDocuments(const std::vector<uint8_t>& bytes) {
  DocumentsImage image;
  Cursor in(bytes, 0, bytes.size());
  int32_t magic = 0;
  int32_t version = 1;
  int32_t count = 0;
  if (!in.Word(magic)) return image;
  if (magic == 0x56444E4F && !in.Word(version)) return image;
  if ((magic != 0x56444E4F && magic != 0x53444E4F) || !in.Word(count) || count < 0 || count > 64) return image;
  for (int32_t i = 0; i < count; ++i) {
    int32_t units = 0;
    int32_t size = 0;
    if (!in.Word(units) || units < 0 || !in.Skip(2 * static_cast<size_t>(units))) return image;
    image.sizeWords.push_back(in.At());
    if (!in.Word(size) || size < 0) return image;
    image.streamStarts.push_back(in.At());
    if (!in.Skip(static_cast<size_t>(size))) return image;
    image.streams.push_back(Stream(bytes, image.streamStarts.back(), static_cast<size_t>(size)));
  }
  image.whole = in.At() == bytes.size();
  return image;
}

bool SameValueText(const std::wstring& a, const std::wstring& b) {
  if (a == b) return true;
  std::wistringstream left(a);
  std::wistringstream right(b);
  std::wstring x;
  std::wstring y;
  bool any = false;
  for (;;) {
    const bool moreLeft = static_cast<bool>(left >> x);
    const bool moreRight = static_cast<bool>(right >> y);
    if (moreLeft != moreRight) return false;
    if (!moreLeft) return any;
    if (x != y && !SameNumber(x, y)) return false;
    any = true;
  }
}

}  // namespace sweep
