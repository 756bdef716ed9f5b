// ZR::Doc::SettingsStore: every analysis setting of one data file, addressed by id.
#pragma once

#include "base/CIArray.h"
#include "document/GlobalSettings.h"
#include "document/SettingIds.h"
#include "document/Settings1.h"

#include <unknwn.h>

#include <cstdint>

struct IBinInStream;
struct IBinOutStream;
struct IPXDetectionSettings;

namespace ZR::Doc {

class ParamCatalogue;
class ZRSetting;
class ZRSetting_Bool;
class ZRSetting_Int10;
template <typename T, int32_t K>
class ZRSettingIO;

// The global group and one group per analysis channel that has been set up. Groups are made
// on demand and removed only by assignment.
class SettingsStore {
 public:
  // The global settings at their defaults and no channel group. The catalogue (not owned,
  // may be null) gives the column switches their type masks.
  explicit SettingsStore(const ParamCatalogue* catalogue);
  SettingsStore(const SettingsStore& other);
  // Copies the global values, then replaces the groups by copies of the other's, in its order
  // (made without a host: their detection settings are clones or pending text).
  SettingsStore& operator=(const SettingsStore& other);

  // Ids 2000 to 2999 in the global group, every other id in the current group; null when
  // absent or when there is no current group.
  ZRSetting* FindSetting(SettingId id) const noexcept;
  // The settings of one class, or null when absent or of another class (an Int10 setting is
  // also an int setting).
  ZRSetting_Bool* GetBoolSetting(SettingId id) const noexcept;
  ZRSettingIO<int, 1>* GetIntSetting(SettingId id) const noexcept;
  ZRSetting_Int10* GetInt10Setting(SettingId id) const noexcept;
  ZRSettingIO<double, 4>* GetDoubleSetting(SettingId id) const noexcept;
  // Value of a long setting; 0 (and nothing set) when there is no such setting.
  long GetLongValue(SettingId id) const noexcept;
  void SetLongValue(SettingId id, long value) noexcept;

  // The analysis channel (setting 2001), counted from 0.
  int GetCurrentChannel() const noexcept;
  // Index of the group of the analysis channel, or -1.
  int CurrentGroupIndex() const noexcept;
  // The object of the current group's setting 1010 (not added to), or null.
  IPXDetectionSettings* GetDetectionSettingsObject() const noexcept;

  // The group of the channel, made when there is none: with a host data document its
  // detection settings get a host object told its channel; when copyFromChannel is not
  // negative and has a group, the new group takes that group's values.
  Settings1& GetOrCreateGroup(int channel, int copyFromChannel, IUnknown* hostDataDocument);
  // Gives every group's detection settings that have no host object yet one over the host data
  // document (loading their pending text) and tells it the group's channel; nothing when null.
  void AttachHostDocument(IUnknown* hostDataDocument);

  const ParamCatalogue* GetCatalogue() const noexcept { return mCatalogue; }
  GlobalSettings& Global() noexcept { return mGlobal; }
  const GlobalSettings& Global() const noexcept { return mGlobal; }
  uint32_t GroupCount() const noexcept { return mGroups.Count(); }
  Settings1& Group(uint32_t i) const noexcept { return *mGroups.At(i); }

  // The store's stream form; both answer the stream. Reading parses the whole store before it
  // applies anything: when the stream fails on the way (a cut or corrupt stream; its status
  // says so) nothing is applied, and a group or setting count no writer makes throws XQOR
  // (XSettingsStream, STG_E_DOCFILECORRUPT), also with nothing applied, as do a value a user
  // could not give its setting (a text no ToText writes for its kind, a number out of its
  // bounds; detection settings are checked only over a host data document), a group of a
  // channel no analysis channel can be, a store or group version above 1, one id twice in a group
  // or one channel in two groups, groups without the analysis channel's, and a group that holds
  // an id this build does not know while it lacks one this build writes. Unknown ids alone (a
  // newer build's) are skipped; settings the stream does not name (an older build's) keep their
  // values.
  IBinOutStream& Write(IBinOutStream& out) const;
  IBinInStream& Read(IBinInStream& in, IUnknown* hostDataDocument = nullptr);

 private:
  Settings1* FindGroup(int channel) const noexcept;

  const ParamCatalogue* mCatalogue;
  GlobalSettings mGlobal;
  CIArray<Settings1> mGroups;
};

}  // namespace ZR::Doc
