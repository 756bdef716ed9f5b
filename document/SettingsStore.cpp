// ZR::Doc::SettingsStore: every analysis setting of one data file, addressed by number.
#include "document/SettingsStore.h"

#include "document/SettingIds.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "document/ZRSetting_Int10.h"
#include "document/ZRSetting_PXDetSet.h"

#include <memory>

namespace ZR::Doc {

SettingsStore::SettingsStore(const ParamCatalogue* catalogue) : mCatalogue(catalogue) {}

SettingsStore::SettingsStore(const SettingsStore& other) : SettingsStore(other.mCatalogue) {
  *this = other;
}

SettingsStore& SettingsStore::operator=(const SettingsStore& other) {
  if (this == &other) return *this;
  mGlobal.CopyValues(other.mGlobal);
  mGroups.RemoveRange(0, mGroups.Count());
  for (uint32_t i = 0; i < other.GroupCount(); ++i) {
    const Settings1& from = other.Group(i);
    GetOrCreateGroup(from.GetChannel(), -1, nullptr).CopyValues(from);
  }
  return *this;
}

ZRSetting* SettingsStore::FindSetting(SettingId id) const noexcept {
  if (id >= kFirstGlobalSettingId && id <= kLastGlobalSettingId) return mGlobal.FindById(id);
  const int current = CurrentGroupIndex();
  return current < 0 ? nullptr : Group(static_cast<uint32_t>(current)).FindById(id);
}

ZRSetting_Bool* SettingsStore::GetBoolSetting(SettingId id) const noexcept {
  return dynamic_cast<ZRSetting_Bool*>(FindSetting(id));
}
ZRSettingInt* SettingsStore::GetIntSetting(SettingId id) const noexcept {
  return dynamic_cast<ZRSettingInt*>(FindSetting(id));
}
ZRSetting_Int10* SettingsStore::GetInt10Setting(SettingId id) const noexcept {
  return dynamic_cast<ZRSetting_Int10*>(FindSetting(id));
}
ZRSettingDouble* SettingsStore::GetDoubleSetting(SettingId id) const noexcept {
  return dynamic_cast<ZRSettingDouble*>(FindSetting(id));
}

long SettingsStore::GetLongValue(SettingId id) const noexcept {
  const auto* setting = dynamic_cast<const ZRSettingLong*>(FindSetting(id));
  return setting != nullptr ? setting->Get() : 0;
}

void SettingsStore::SetLongValue(SettingId id, long value) noexcept {
  if (auto* setting = dynamic_cast<ZRSettingLong*>(FindSetting(id))) setting->Set(value);
}

int SettingsStore::GetCurrentChannel() const noexcept {
  return static_cast<int>(GetLongValue(kSettingAnalysisChannel));
}

int SettingsStore::CurrentGroupIndex() const noexcept {
  const int channel = GetCurrentChannel();
  for (uint32_t i = 0; i < GroupCount(); ++i) {
    if (Group(i).GetChannel() == channel) return static_cast<int>(i);
  }
  return -1;
}

IPXDetectionSettings* SettingsStore::GetDetectionSettingsObject() const noexcept {
  const auto* setting = dynamic_cast<const ZRSetting_PXDetSet*>(FindSetting(kSettingDetectionSettings));
  return setting != nullptr ? setting->GetObject() : nullptr;
}

Settings1* SettingsStore::FindGroup(int channel) const noexcept {
  for (uint32_t i = 0; i < GroupCount(); ++i) {
    if (Group(i).GetChannel() == channel) return &Group(i);
  }
  return nullptr;
}

static ZRSetting_PXDetSet* DetectionSetting(const Settings1& group) {
  return dynamic_cast<ZRSetting_PXDetSet*>(group.FindById(kSettingDetectionSettings));
}

Settings1& SettingsStore::GetOrCreateGroup(int channel, int copyFromChannel,
                                           IUnknown* hostDataDocument) {
  if (Settings1* existing = FindGroup(channel)) return *existing;
  auto created = std::make_unique<Settings1>(mCatalogue);
  Settings1& group = *created;
  mGroups.Add(created.get());
  created.release();
  group.SetChannel(channel);
  ZRSetting_PXDetSet* detection = DetectionSetting(group);
  if (hostDataDocument != nullptr && detection != nullptr) {
    detection->AttachDetectionObject(hostDataDocument);
    detection->SetChannel(channel);
  }
  const Settings1* source = copyFromChannel < 0 ? nullptr : FindGroup(copyFromChannel);
  if (source != nullptr) {
    group.CopyValues(*source);
    if (detection != nullptr) detection->SetChannel(channel);
  }
  return group;
}

void SettingsStore::AttachHostDocument(IUnknown* hostDataDocument) {
  if (hostDataDocument == nullptr) return;
  for (uint32_t i = 0; i < GroupCount(); ++i) {
    ZRSetting_PXDetSet* detection = DetectionSetting(Group(i));
    if (detection == nullptr || detection->GetObject() != nullptr) continue;
    detection->AttachDetectionObject(hostDataDocument);
    detection->SetChannel(Group(i).GetChannel());
  }
}

}  // namespace ZR::Doc
