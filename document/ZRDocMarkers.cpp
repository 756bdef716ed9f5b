// ZR::Doc::ZRDoc: the three marker objects it keeps in the data file (the source, the detector
// and the whole analysis) and their attachment to the analysis channel.
#include "document/ZRDoc.h"

#include "base/OFormatStream.h"
#include "base/String.h"
#include "document/DocumentStringIds.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "hostapi/DataObjects.h"
#include "hostclient/ModuleInstance.h"

namespace ZR::Doc {

namespace {

ComPtr<IHostDataObjects> ObjectsOf(IUnknown* dataDocument) {
  ComPtr<IHostDataObjects> objects;
  if (dataDocument) dataDocument->QueryInterface(IID_IHostDataObjects, objects.OutVoid());
  return objects;
}

bool ObjectExists(IHostDataObjects& objects, int32_t id) {
  ComPtr<QOR::IQORString> name;
  return id >= 0 && SUCCEEDED(objects.GetObjectName(id, kMarkerObjectKind, name.Out())) && name;
}

// "Ondara (Channel N)" for the analysis channel (counted from 0).
QOR::String MarkerName(int32_t channel) {
  static const QOR::String format(GetModuleInstance(), IDS_ZR_MARKER_NAME, true);
  QOR::OFormatStringStream text(format);
  text << channel + 1;
  return text.str();
}

// Which of the detector and analysis objects each analysis type shows.
struct MarkerChoice {
  bool detector;
  bool analysis;
};

MarkerChoice MarkersOfType(int32_t type) {
  switch (type) {
    case 1:
    case 4:
    case 5:
      return {true, false};
    case 3:
      return {true, true};
    default:
      return {false, true};
  }
}

}  // namespace

// A stored id whose object still exists is kept, so that repeated attachments do not add objects.
void ZRDoc::CreateHostMarkers() {
  const ComPtr<IHostDataObjects> objects = ObjectsOf(DataDocument());
  if (!objects) return;
  SettingsStore& store = GetSettings();
  for (const SettingId setting : kSettingsMarkerObjects) {
    auto id = static_cast<int32_t>(store.GetLongValue(setting));
    if (!ObjectExists(*objects, id)) {
      DataObjectId made{kNewDataObject, kDataObjectRequestKind};
      ComPtr<QOR::IQORString> name;
      if (FAILED(objects->NewObject(0, 0, 0, name.Out(), &made))) continue;
      id = made.id;
      store.SetLongValue(setting, id);
    }
    if (setting == kSettingDetectorObject)
      objects->RenameObject(id, kMarkerObjectKind, MarkerName(store.GetCurrentChannel()).GetInterface());
  }
}

void ZRDoc::DeleteHostMarkers() {
  const ComPtr<IHostDataObjects> objects = ObjectsOf(DataDocument());
  if (!objects) return;
  SettingsStore& store = GetSettings();
  for (const SettingId setting : kSettingsMarkerObjects) {
    const auto id = static_cast<int32_t>(store.GetLongValue(setting));
    if (id < 0) continue;
    ComPtr<QOR::IQORString> name;
    if (SUCCEEDED(objects->GetObjectName(id, kMarkerObjectKind, name.Out())) && name)
      objects->RemoveObject(name.Get());
    store.SetLongValue(setting, -1);
  }
}

void ZRDoc::MarkerAction(bool attach) {
  const ComPtr<IHostDataObjects> objects = ObjectsOf(DataDocument());
  if (!objects) return;
  const SettingsStore& store = GetSettings();
  const ZRSetting* const typeSetting = store.FindSetting(kSettingAnalysisType);
  const MarkerChoice choice = MarkersOfType(typeSetting ? static_cast<int32_t>(typeSetting->AsDouble()) : 0);
  const int32_t channel = store.GetCurrentChannel();
  const auto act = [&](bool chosen, SettingId setting) {
    const auto id = static_cast<int32_t>(store.GetLongValue(setting));
    if (!chosen || id < 0) return;
    if (attach)
      objects->AttachObject(id, kMarkerObjectKind, channel);
    else
      objects->DetachObject(id, kMarkerObjectKind, channel);
  };
  act(choice.detector, kSettingDetectorObject);
  act(choice.analysis, kSettingAnalysisObject);
}

void ZRDoc::AttachPeakMarkers() { MarkerAction(true); }

void ZRDoc::DetachPeakMarkers() { MarkerAction(false); }

void ZRDoc::SetMarkerObjectState(bool on) {
  const ComPtr<IHostDataObjects> objects = ObjectsOf(DataDocument());
  if (!objects) return;
  const SettingsStore& store = GetSettings();
  const auto id = static_cast<int32_t>(store.GetLongValue(kSettingDetectorObject));
  VARIANT_BOOL state = VARIANT_FALSE;
  if (!ObjectExists(*objects, id) || FAILED(objects->GetObjectState(id, kMarkerObjectKind, &state))) return;
  if ((state != VARIANT_FALSE) == on) return;
  objects->SetObjectState(id, kMarkerObjectKind, on ? VARIANT_TRUE : VARIANT_FALSE);
  objects->RenameObject(id, kMarkerObjectKind, MarkerName(store.GetCurrentChannel()).GetInterface());
}

}  // namespace ZR::Doc
