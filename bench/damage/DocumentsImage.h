// A documents file as its bytes say, decoded here without the host's or the module's readers: the
// outer layout, each document's settings records by group and id, and where each field lies, so
// that a sweep can damage one field and judge what a run made of it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace sweep {

inline constexpr int32_t kGlobalGroup = -1;  // the channel given to the global group's records

// One settings record: where its id and its text lie in the file.
struct RecordPlace {
  int32_t group;      // the group's channel, kGlobalGroup for the global one
  int32_t id;
  size_t idAt;        // the id word
  size_t textAt;      // the text's first word (its tag)
  size_t textBytes;   // tag, count, check, the units and their NUL
  size_t countAt;     // the group's record count
};

struct StreamImage {
  bool whole = false;  // every field down to the store's closing marker read
  std::vector<int32_t> head;  // stream version and both placements, as words
  int32_t storeVersion = 0;
  std::map<std::pair<int32_t, int32_t>, std::vector<std::wstring>> records;  // (group, id) -> texts
  std::vector<int32_t> groups;         // channels in file order
  std::vector<int32_t> groupVersions;  // the global group's first
  std::vector<uint8_t> tail;           // what follows the store: the table part and its markers
  // Places, for damaging: every word that holds a version, a count, a channel or a marker.
  std::vector<RecordPlace> places;
  std::vector<size_t> versionWords;
  std::vector<size_t> channelWords;
  std::vector<size_t> markerWords;
  size_t groupCountAt = 0;
};

struct DocumentsImage {
  bool whole = false;
  std::vector<StreamImage> streams;
  std::vector<size_t> sizeWords;  // each document's byte count, for edits that change a length
  std::vector<size_t> streamStarts;
};

DocumentsImage DecodeDocuments(const std::vector<uint8_t>& bytes);

// Whether two texts say the same value: equal, or the same count of numbers (separated by spaces)
// each equal to six significant figures, as the settings write them.
bool SameValueText(const std::wstring& a, const std::wstring& b);

}  // namespace sweep
