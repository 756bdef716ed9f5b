// Damaged copies of a documents file, family by family.
#include "bench/damage/DamageVariants.h"

#include "bench/damage/DocumentsImage.h"
#include "bench/fuzz/SeededRandom.h"

#include <cstring>

namespace sweep {
namespace {

using fuzz::Random;

int32_t WordAt(const std::vector<uint8_t>& bytes, size_t at) {
  int32_t word = 0;
  std::memcpy(&word, bytes.data() + at, 4);
  return word;
}

void PutWord(std::vector<uint8_t>& bytes, size_t at, int32_t word) { std::memcpy(bytes.data() + at, &word, 4); }

// The document byte count that covers position at, grown by delta.
void Resize(std::vector<uint8_t>& bytes, const DocumentsImage& image, size_t at, int32_t delta) {
  for (size_t k = image.streamStarts.size(); k-- > 0;) {
    if (image.streamStarts[k] > at) continue;
    PutWord(bytes, image.sizeWords[k], WordAt(bytes, image.sizeWords[k]) + delta);
    return;
  }
}

// A text in this build's wide form: tag, count with the NUL, its check, the units and the NUL.
std::vector<uint8_t> WideText(const std::wstring& text) {
  const int32_t count = static_cast<int32_t>(text.size() + 1);
  std::vector<uint8_t> bytes(12 + 2 * static_cast<size_t>(count), 0);
  PutWord(bytes, 0, static_cast<int32_t>(0x80000001u));
  PutWord(bytes, 4, count);
  PutWord(bytes, 8, -count);
  for (size_t i = 0; i < text.size(); ++i) {
    bytes[12 + 2 * i] = static_cast<uint8_t>(text[i]);
    bytes[13 + 2 * i] = static_cast<uint8_t>(text[i] >> 8);
  }
  return bytes;
}

// Positions to damage: every one of a small file, else `count` spread over it.
std::vector<size_t> Positions(size_t size, size_t count, Random& random) {
  std::vector<size_t> positions;
  if (size <= count) {
    for (size_t i = 0; i < size; ++i) positions.push_back(i);
    return positions;
  }
  for (size_t i = 0; i < count; ++i) positions.push_back(random.Below(size));
  return positions;
}

class Maker {
 public:
  Maker(const std::vector<uint8_t>& file, uint64_t seed) : mFile(file), mImage(DecodeDocuments(file)), mRandom(seed) {}

  void Bytes(size_t perFamily);
  void Texts();
  void Ids();
  void Words();
  std::vector<Variant> Take() { return std::move(mVariants); }

 private:
  void Add(const std::string& family, const std::string& what, std::vector<uint8_t> bytes) {
    mVariants.push_back({family, what, std::move(bytes)});
  }
  void SetWord(const std::string& family, size_t at, int32_t value) {
    if (at + 4 > mFile.size() || WordAt(mFile, at) == value) return;
    std::vector<uint8_t> bytes = mFile;
    PutWord(bytes, at, value);
    Add(family, "word at " + std::to_string(at) + " = " + std::to_string(value), std::move(bytes));
  }
  void ReplaceText(const RecordPlace& place, const std::wstring& text, const std::string& what) {
    std::vector<uint8_t> bytes = mFile;
    const std::vector<uint8_t> written = WideText(text);
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(place.textAt),
                bytes.begin() + static_cast<std::ptrdiff_t>(place.textAt + place.textBytes));
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(place.textAt), written.begin(), written.end());
    Resize(bytes, mImage, place.textAt, static_cast<int32_t>(written.size()) - static_cast<int32_t>(place.textBytes));
    Add("text", "setting " + std::to_string(place.id) + " of group " + std::to_string(place.group) + ": " + what,
        std::move(bytes));
  }
  std::wstring TextOf(const RecordPlace& place) const {
    const StreamImage& stream = mImage.streams.front();
    const auto found = stream.records.find({place.group, place.id});
    return found == stream.records.end() || found->second.empty() ? std::wstring() : found->second.front();
  }

  const std::vector<uint8_t>& mFile;
  DocumentsImage mImage;
  Random mRandom;
  std::vector<Variant> mVariants;
};

void Maker::Bytes(size_t perFamily) {
  const size_t size = mFile.size();
  for (const size_t at : Positions(size, perFamily, mRandom))
    Add("cut", "cut at " + std::to_string(at), std::vector<uint8_t>(mFile.begin(), mFile.begin() + static_cast<std::ptrdiff_t>(at)));
  for (const size_t at : Positions(size, perFamily, mRandom)) {
    std::vector<uint8_t> bytes = mFile;
    const int bit = static_cast<int>(mRandom.Below(8));
    bytes[at] ^= static_cast<uint8_t>(1u << bit);
    Add("bit", "bit " + std::to_string(bit) + " of byte " + std::to_string(at), std::move(bytes));
  }
  for (size_t i = 0; i < perFamily; ++i) {
    std::vector<uint8_t> bytes = mFile;
    const size_t at = mRandom.Below(size);
    const uint8_t value = static_cast<uint8_t>(bytes[at] + 1 + mRandom.Below(255));
    bytes[at] = value;
    Add("byte", "byte " + std::to_string(at) + " = " + std::to_string(value), std::move(bytes));
  }
  for (size_t i = 0; i < perFamily; ++i) {
    std::vector<uint8_t> bytes = mFile;
    const size_t at = mRandom.Below(size + 1);
    const uint8_t value = static_cast<uint8_t>(mRandom.Below(256));
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), value);
    Add("insert", "byte " + std::to_string(value) + " inserted at " + std::to_string(at), std::move(bytes));
  }
  for (size_t i = 0; i < perFamily; ++i) {
    std::vector<uint8_t> bytes = mFile;
    const size_t at = mRandom.Below(size);
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
    Add("delete", "byte " + std::to_string(at) + " deleted", std::move(bytes));
  }
}

// Texts a damaged or hand-edited file may hold, and the record's own text with a unit zeroed.
void Maker::Texts() {
  static const wchar_t* const kOdd[] = {
      L"",     L" 1",   L"1 ",   L"0x10",  L"1e400", L"inf", L"-inf",  L"nan", L"1,5", L"+-1", L"T",
      L"true", L"-1",   L"99999999999", L"1e-400", L"\x00B5", L"0.5",  L"5",   L"f",   L"t",   L"1 0 1",
      L"2147483648", L"-0", L"1e308", L"4e-324"};
  const size_t kinds = sizeof kOdd / sizeof kOdd[0];
  size_t next = 0;
  for (const RecordPlace& place : mImage.streams.front().places) {
    for (int i = 0; i < 2; ++i, ++next) ReplaceText(place, kOdd[next % kinds], "odd text " + std::to_string(next % kinds));
    std::wstring own = TextOf(place);
    if (!own.empty()) {
      const size_t at = mRandom.Below(own.size());
      own[at] = L'\0';
      ReplaceText(place, own, "a NUL at unit " + std::to_string(at));
      ReplaceText(place, TextOf(place) + L"7", "a figure added");
    }
  }
}

void Maker::Ids() {
  const std::vector<RecordPlace>& places = mImage.streams.front().places;
  for (size_t i = 0; i < places.size(); ++i) {
    const RecordPlace& place = places[i];
    SetWord("id", place.idAt, place.id ^ static_cast<int32_t>(1u << mRandom.Below(31)));
    SetWord("id", place.idAt, static_cast<int32_t>(5000 + mRandom.Below(5000)));
    SetWord("id", place.idAt, places[(i + 1) % places.size()].id);
    // An older build's group lacks the record; a newer build's holds one more of an id unknown here.
    const size_t recordAt = place.idAt - 4;
    const size_t recordBytes = 8 + place.textBytes + 4;
    std::vector<uint8_t> older = mFile;
    older.erase(older.begin() + static_cast<std::ptrdiff_t>(recordAt),
                older.begin() + static_cast<std::ptrdiff_t>(recordAt + recordBytes));
    PutWord(older, place.countAt, WordAt(mFile, place.countAt) - 1);
    Resize(older, mImage, recordAt, -static_cast<int32_t>(recordBytes));
    Add("id", "setting " + std::to_string(place.id) + " of group " + std::to_string(place.group) + " left out", std::move(older));
    std::vector<uint8_t> newer = mFile;
    std::vector<uint8_t> record(8, 0);
    PutWord(record, 4, 7000 + static_cast<int32_t>(i));
    const std::vector<uint8_t> text = WideText(L"1");
    record.insert(record.end(), text.begin(), text.end());
    record.insert(record.end(), {0x09, 0x03, 0, 0});  // 777
    newer.insert(newer.begin() + static_cast<std::ptrdiff_t>(recordAt), record.begin(), record.end());
    PutWord(newer, place.countAt, WordAt(mFile, place.countAt) + 1);
    Resize(newer, mImage, recordAt, static_cast<int32_t>(record.size()));
    Add("id", "setting 7000+ added before " + std::to_string(place.id), std::move(newer));
  }
}

void Maker::Words() {
  for (const StreamImage& stream : mImage.streams) {
    for (const size_t at : stream.channelWords)
      for (const int32_t channel : {0, 1, 2, 7, 31, 32, 33, -1}) SetWord("group", at, channel);
    if (stream.groupCountAt != 0)
      for (const int32_t delta : {-1, 1}) SetWord("group", stream.groupCountAt, WordAt(mFile, stream.groupCountAt) + delta);
    for (const size_t at : stream.versionWords)
      for (const int32_t version : {0, 1, 2, 255, -1}) SetWord("version", at, version);
    for (const size_t at : stream.markerWords)
      for (const int32_t marker : {0, 346, 348, 778}) SetWord("version", at, marker);
  }
  for (const int32_t value : {0, 2, 255}) {
    SetWord("version", 4, value);  // the file's layout version
    SetWord("version", 8, value);  // its document count
  }
  for (const size_t at : mImage.sizeWords)
    for (const int32_t delta : {-4, -1, 1, 4}) SetWord("version", at, WordAt(mFile, at) + delta);
}

}  // namespace

std::vector<Variant> MakeVariants(const std::vector<uint8_t>& file, size_t perFamily, uint64_t seed) {
  Maker maker(file, seed);
  maker.Bytes(perFamily);
  maker.Texts();
  maker.Ids();
  maker.Words();
  return maker.Take();
}

}  // namespace sweep
