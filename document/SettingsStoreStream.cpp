// The settings store's stream form: versions, markers, groups and one text record per setting.
#include "document/SettingsStore.h"

#include "base/IBinStream.h"
#include "base/XQOR.h"
#include "document/Settings1.h"
#include "document/SettingIds.h"
#include "document/SettingsStreamError.h"
#include "document/SettingTextCheck.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_PXDetSet.h"

#include <algorithm>
#include <set>
#include <vector>

namespace ZR::Doc {
namespace {

constexpr int32_t kStoreVersion = 1;
constexpr int32_t kStoreMarker = 347;
constexpr int32_t kGroupVersion = 1;
constexpr int32_t kRecordVersion = 0;
constexpr int32_t kRecordEnd = 777;
// Far above what any build writes (a few dozen channels, about a hundred settings per group):
// larger counts come only from a damaged stream.
constexpr int32_t kMaxGroups = 1024;
constexpr int32_t kMaxSettingsPerGroup = 4096;

void WriteGroup(IBinOutStream& out, const SettingsGroup& group) {
  out.WriteLong(kGroupVersion);
  out.WriteLong(static_cast<long>(group.Count()));
  for (uint32_t i = 0; i < group.Count(); ++i) {
    const ZRSetting* setting = group.At(i);
    out.WriteLong(kRecordVersion);
    out.WriteLong(NumberOf(setting->Id()));
    out.WriteString(setting->ToText(true).GetInterface());
    out.WriteLong(kRecordEnd);
  }
}

struct RecordText {
  SettingId id;
  QOR::String text;
};

struct GroupText {
  int32_t channel = 0;
  int32_t version = 0;
  std::vector<RecordText> records;
};

bool Good(IBinInStream& in) { return in.GetStatus() == S_OK; }

int32_t ReadCount(IBinInStream& in, int32_t limit) {
  const int32_t count = ReadWord(in);
  if (count < 0 || count > limit) throw XSettingsStream(StreamFault::kDamaged);
  return count;
}

// False when the stream failed on the way. Version 0 is the older group that Upgrade brings up
// to date; a later one this build cannot read as its own.
bool ReadGroup(IBinInStream& in, GroupText& group) {
  group.version = ReadWord(in);
  if (Good(in) && (group.version < 0 || group.version > kGroupVersion))
    throw XSettingsStream(StreamFault::kUnknownVersion, group.version);
  const int32_t count = ReadCount(in, kMaxSettingsPerGroup);
  for (int32_t i = 0; i < count && Good(in); ++i) {
    ReadWord(in);  // record version: every version reads alike
    RecordText record{SettingIdOf(ReadWord(in)), QOR::String()};
    {
      QOR::StringOutParam text(record.text);
      in.ReadString(text);  // a corrupt string fails the stream
    }
    ReadWord(in);  // end mark, not checked
    group.records.push_back(record);
  }
  return Good(in);
}

// Every value of a known setting must be one a user could give it: a text ToText writes for its
// kind ("1\u2030", a damaged "10", would read as 1 and "T" as off) that keeps the setting's
// rules. Each record is tried on scratch, a group of the same construction as the one it
// belongs to. Detection settings are tried on an object made over the host data document when
// one is given. An empty text is what a group without such an object writes; where the host
// makes one, no group writes it, and taking it would put the detector's defaults in place of
// the settings lost.
void CheckValues(const GroupText& text, SettingsGroup& scratch, IUnknown* hostDataDocument) {
  for (const RecordText& record : text.records) {
    ZRSetting* const setting = scratch.FindById(record.id);
    if (setting == nullptr) continue;
    if (auto* const detection = dynamic_cast<ZRSetting_PXDetSet*>(setting)) {
      detection->AttachDetectionObject(hostDataDocument);
      if (record.text.IsEmpty() && detection->GetObject() == nullptr) continue;
    }
    const TextFault fault = TakeSettingText(*setting, record.text);
    if (fault != TextFault::kNone)
      throw XSettingsStream(StreamFault::kRefusedValue, NumberOf(record.id), record.text,
                            TextFaultWords(*setting, fault));
  }
}

// Every build writes each setting of a group once. A group that lacks some is from an older
// build and they keep their values; an id this build does not know is from a newer one and is
// skipped. Both at once, or one id twice, is damage: a damaged id whose setting would silently
// keep its default, or whose record would overwrite another's.
void CheckIds(const GroupText& text, const SettingsGroup& scratch) {
  std::set<SettingId> named;
  SettingId unknown = kNoSetting;
  bool anyUnknown = false;
  for (const RecordText& record : text.records) {
    if (scratch.FindById(record.id) == nullptr) {
      if (!anyUnknown) unknown = record.id;
      anyUnknown = true;
    } else if (!named.insert(record.id).second) {
      throw XSettingsStream(StreamFault::kRepeatedSetting, NumberOf(record.id));
    }
  }
  if (!anyUnknown) return;
  for (uint32_t i = 0; i < scratch.Count(); ++i) {
    const SettingId id = scratch.At(i)->Id();
    if (named.count(id) == 0)
      throw XSettingsStream(StreamFault::kLostSetting, NumberOf(id), QOR::String(), QOR::String(), NumberOf(unknown));
  }
}

bool Names(const GroupText& text, SettingId id) {
  return std::any_of(text.records.begin(), text.records.end(),
                     [id](const RecordText& record) { return record.id == id; });
}

// The analysis channel once the global records are applied: the value CheckValues read into
// checked when the stream names setting 2001 (once at most: CheckIds), else the one current holds.
int32_t AnalysisChannelAfter(const GroupText& global, const SettingsGroup& checked, const SettingsGroup& current) {
  const SettingsGroup& source = Names(global, kSettingAnalysisChannel) ? checked : current;
  const auto* setting = dynamic_cast<const ZRSettingLong*>(source.FindById(kSettingAnalysisChannel));
  return setting != nullptr ? static_cast<int32_t>(setting->Get()) : 0;
}

void ApplyGroup(const GroupText& text, SettingsGroup& group) {
  for (const RecordText& record : text.records) {
    if (ZRSetting* setting = group.FindById(record.id)) setting->FromText(record.text, true);
  }
  // The older group kept the tau mode in 1019; one that names 1037 holds it there already.
  if (text.version < 1 && !Names(text, kSettingTauMode)) group.Upgrade();
}

}  // namespace

IBinOutStream& SettingsStore::Write(IBinOutStream& out) const {
  out.WriteLong(kStoreVersion);
  out.WriteLong(kStoreMarker);
  WriteGroup(out, mGlobal);
  out.WriteLong(static_cast<long>(GroupCount()));
  for (uint32_t i = 0; i < GroupCount(); ++i) {
    out.WriteLong(Group(i).GetChannel());
    WriteGroup(out, Group(i));
  }
  out.WriteLong(kStoreMarker);
  return out;
}

IBinInStream& SettingsStore::Read(IBinInStream& in, IUnknown* hostDataDocument) {
  const int32_t version = ReadWord(in);
  if (version < 1) return in;
  if (version > kStoreVersion) throw XSettingsStream(StreamFault::kUnknownVersion, version);
  ReadWord(in);  // marker, not checked
  GroupText global;
  if (!ReadGroup(in, global)) return in;
  const int32_t groupCount = ReadCount(in, kMaxGroups);
  std::vector<GroupText> groups(static_cast<size_t>(groupCount));
  for (GroupText& group : groups) {
    group.channel = ReadWord(in);
    if (!ReadGroup(in, group)) return in;
  }
  ReadWord(in);  // closing marker, not checked
  if (!Good(in)) return in;
  GlobalSettings globalScratch;
  CheckIds(global, globalScratch);
  CheckValues(global, globalScratch, hostDataDocument);
  Settings1 scratch(mCatalogue);
  // A group no analysis channel can select comes only from damage.
  const auto* channelSetting = dynamic_cast<const ZRSettingLong*>(mGlobal.FindById(kSettingAnalysisChannel));
  const long lastChannel = channelSetting != nullptr ? channelSetting->GetMaximum() : kMaxGroups;
  std::set<int32_t> channels;
  for (const GroupText& group : groups) {
    if (group.channel < 0 || group.channel > lastChannel)
      throw XSettingsStream(StreamFault::kImpossibleChannel, group.channel);
    if (!channels.insert(group.channel).second) throw XSettingsStream(StreamFault::kRepeatedGroup, group.channel);
    CheckIds(group, scratch);
    CheckValues(group, scratch, hostDataDocument);
  }
  // Saving writes the analysis channel's group whenever it writes groups: without it the
  // channel would be analysed with defaults.
  const int32_t analysisChannel = AnalysisChannelAfter(global, globalScratch, mGlobal);
  if (!groups.empty() && channels.count(analysisChannel) == 0)
    throw XSettingsStream(StreamFault::kNoAnalysisGroup, analysisChannel);
  ApplyGroup(global, mGlobal);
  for (const GroupText& group : groups) {
    ApplyGroup(group, GetOrCreateGroup(group.channel, -1, nullptr));
  }
  return in;
}

}  // namespace ZR::Doc
