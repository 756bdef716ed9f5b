// Judging a run over a damaged documents file.
#include "bench/damage/DamageJudge.h"

#include "host/common/MessageText.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace sweep {
namespace {

using Key = std::pair<int32_t, int32_t>;

std::string Named(const Key& key) {
  return "setting " + std::to_string(key.second) +
         (key.first == kGlobalGroup ? std::string(" (global)") : " of channel " + std::to_string(key.first));
}

// The detection settings' second number is the channel their detector reads, which the group
// tells them whenever it is read: whatever the text says there, it is the group's.
std::wstring WithoutChannel(const Key& key, const std::wstring& text) {
  if (key.second != 1010) return text;
  const size_t first = text.find(L' ');
  const size_t second = first == std::wstring::npos ? first : text.find(L' ', first + 1);
  return second == std::wstring::npos ? text : text.substr(0, first) + text.substr(second);
}

bool SameText(const Key& key, const std::wstring& a, const std::wstring& b) {
  return SameValueText(WithoutChannel(key, a), WithoutChannel(key, b));
}

bool SameRecords(const StreamImage& a, const StreamImage& b) {
  if (a.records.size() != b.records.size()) return false;
  for (auto left = a.records.begin(), right = b.records.begin(); left != a.records.end(); ++left, ++right) {
    if (left->first != right->first || left->second.size() != right->second.size()) return false;
    for (size_t i = 0; i < left->second.size(); ++i)
      if (WithoutChannel(left->first, left->second[i]) != WithoutChannel(right->first, right->second[i])) return false;
  }
  return true;
}

bool SameSettings(const StreamImage& a, const StreamImage& b) {
  return a.head == b.head && SameRecords(a, b) && a.tail == b.tail &&
         std::set<int32_t>(a.groups.begin(), a.groups.end()) == std::set<int32_t>(b.groups.begin(), b.groups.end());
}

// A setting's default: from the file of defaults, whose analysis channel is 1.
const std::wstring* Default(const StreamImage& defaults, const Key& key) {
  static const std::wstring kFirstChannel = L"0";
  if (key == Key{kGlobalGroup, 2001}) return &kFirstChannel;
  const Key own{key.first == kGlobalGroup || key.first == 1 ? key.first : 0, key.second};
  const auto found = defaults.records.find(own);
  return found == defaults.records.end() ? nullptr : &found->second.front();
}

// Whether the table part holds a column format whose measurement is another than its key: what
// no build writes, and what, loaded, shows another column's figures or whole numbers. The part
// opens with the grid's state (version, n, the map, n widths from version 2, 1337), then the
// formats (-1, 2, entries of key, 1, figures, measurement).
bool FormatNamesAnother(const std::vector<uint8_t>& tail) {
  std::vector<int32_t> words(tail.size() / 4);
  if (!words.empty()) std::memcpy(words.data(), tail.data(), 4 * words.size());
  if (words.size() < 2 || words[1] < 0 || static_cast<size_t>(words[1]) > words.size()) return false;
  size_t at = 2 + static_cast<size_t>(words[1]) * (words[0] > 1 ? 2 : 1) + 1;
  if (at + 2 > words.size() || words[at] != -1 || words[at + 1] != 2) return false;
  for (at += 2; at + 4 <= words.size() && words[at] != -1; at += 4)
    if (words[at + 3] >= 0 && words[at + 3] <= 58 && words[at + 3] != words[at]) return true;
  return false;
}

// Whether every setting the run saved is what the damaged file holds for it, or its default
// where the file holds none.
Judgement Explain(const StreamImage& saved, const StreamImage& damaged, const StreamImage& defaults) {
  if (saved.head != damaged.head) return {Verdict::kSilent, "a window placement"};
  if (saved.tail != damaged.tail) return {Verdict::kSilent, "the table part"};
  if (FormatNamesAnother(saved.tail)) return {Verdict::kSilent, "a column format naming another measurement"};
  if (std::set<int32_t>(saved.groups.begin(), saved.groups.end()) !=
      std::set<int32_t>(damaged.groups.begin(), damaged.groups.end()))
    return {Verdict::kSilent, "the channel groups"};
  bool lacking = false;
  for (const auto& [key, texts] : saved.records) {
    const auto held = damaged.records.find(key);
    if (held == damaged.records.end()) {
      const std::wstring* const byDefault = Default(defaults, key);
      if (byDefault == nullptr || !SameText(key, texts.front(), *byDefault))
        return {Verdict::kSilent, Named(key) + " holds " + host::Utf8FromWide(texts.front()) + ", which the file lacks"};
      lacking = true;
      continue;
    }
    if (held->second.size() != 1 || !SameText(key, texts.front(), held->second.front()))
      return {Verdict::kSilent, Named(key) + " holds " + host::Utf8FromWide(texts.front()) + ", the file " +
                                    host::Utf8FromWide(held->second.front())};
  }
  bool unknown = false;
  for (const auto& entry : damaged.records) unknown = unknown || saved.records.count(entry.first) == 0;
  if (lacking && unknown) return {Verdict::kSilent, "lacking settings and unknown ids at once"};
  if (lacking) return {Verdict::kOlderFile, ""};
  return {unknown ? Verdict::kNewerFile : Verdict::kAsStated, ""};
}

}  // namespace

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kRefused: return "refused";
    case Verdict::kRefusedWithoutWords: return "refused without words";
    case Verdict::kUnchanged: return "loaded unchanged";
    case Verdict::kAsStated: return "loaded as the damaged file states";
    case Verdict::kOlderFile: return "loaded as an older build's file";
    case Verdict::kNewerFile: return "loaded as a newer build's file";
    case Verdict::kChangedWithMessage: return "loaded changed with a message";
    case Verdict::kSilent: return "SILENT CHANGE";
  }
  return "?";
}

Judgement Judge(const RunResult& run, const DocumentsImage& original, const DocumentsImage& damaged,
                const DocumentsImage& defaults) {
  if (run.refused) return {run.refusal.empty() ? Verdict::kRefusedWithoutWords : Verdict::kRefused, run.refusal};
  const DocumentsImage saved = DecodeDocuments(run.saved);
  if (!saved.whole || saved.streams.size() != 1 || !saved.streams[0].whole)
    return {Verdict::kSilent, "what the run saved does not decode"};
  if (SameSettings(saved.streams[0], original.streams[0])) return {Verdict::kUnchanged, ""};
  if (!run.messages.empty()) return {Verdict::kChangedWithMessage, run.messages};
  if (!damaged.whole || damaged.streams.size() != 1 || !damaged.streams[0].whole)
    return {Verdict::kSilent, "loaded from a file whose layout does not decode"};
  return Explain(saved.streams[0], damaged.streams[0], defaults.streams[0]);
}

}  // namespace sweep
