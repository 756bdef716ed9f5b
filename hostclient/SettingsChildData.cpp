// Finding the module's child data of a host data file through the file's child-data list.
#include "hostclient/SettingsChildData.h"

#include "hostapi/ChildData.h"
#include "hostapi/DataFile.h"
#include "hostclient/TypeIds.h"

namespace ZR {

uint32_t ChildDataTypeId() noexcept { return TypeIdClass<&ChildDataGUID, 0>::Id(); }

QOR::ComPtr<IZRSettingsChildData> FindSettingsChildData(IUnknown* dataFile) noexcept {
  QOR::ComPtr<IZRSettingsChildData> settings;
  if (!dataFile) return settings;
  QOR::ComPtr<IHostDataFile> file;
  if (FAILED(dataFile->QueryInterface(IID_IHostDataFile, file.OutVoid())) || !file) return settings;
  QOR::ComPtr<IScrivoDataChildData> child;
  if (file->FindChildData(0, ChildDataTypeId(), child.Out()) != S_OK || !child) return settings;
  // Another module's child under the same id does not answer the settings interface.
  if (FAILED(child->QueryInterface(IID_IZRSettingsChildData, settings.OutVoid()))) settings.Reset();
  return settings;
}

bool ReadSettingsValues(IUnknown* dataFile, SettingsValues& values) noexcept {
  const QOR::ComPtr<IZRSettingsChildData> settings = FindSettingsChildData(dataFile);
  if (!settings) return false;
  SettingsValues read;
  if (FAILED(settings->GetValues(&read))) return false;
  values = read;
  return true;
}

}  // namespace ZR
